// The data-folder change of the options: refused before anything is touched
// when the new folder is unusable, and a move that never leaves the person
// without their data (copies first, the settings next, the sources last).
#pragma once

#include <QString>

class CMyTALYDoc;

enum class FolderOutcome {
    Unchanged,
    PathStored, // the same folder: only the setting's text changed
    Refused,    // nothing changed; the reason was shown
    CloseFailed, // the data could not be saved: the old folder stays open
    Switched,   // "No": the new folder is used without its files moving
    Moved,
    MoveFailed,         // everything put back; the old folder is open again
    MovedWithLeftovers, // moved, but some old files could not be deleted
};

// Applies folder mode (0 My Documents, 1 the program's folder, 2 path) to the
// document's settings, asking whether the data files go along, and reopens
// the data from the folder the settings name afterwards.
FolderOutcome ApplyDataFolder(CMyTALYDoc& doc, int mode, const QString& path);
