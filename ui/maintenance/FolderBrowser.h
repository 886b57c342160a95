// Walking handset folders for the folder-select dialog, free of widgets: the
// levels of a path, its parent and children, and the entries of one folder
// (sub-folders and the files of one extension).
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace maintenance {

// A folder path as its names from the root: "\\My Documents\\Tallybook" is
// {"My Documents", "Tallybook"}; empty names (doubled or trailing backslashes)
// are dropped, so the root is "" or "\\".
QStringList PathLevels(const QString& path);
// The path of the first n levels: "" for the root, else "\\a\\b".
QString PathOfLevels(const QStringList& levels, int n);
// The same path without a trailing backslash; "" for the root.
inline QString NormalizedPath(const QString& path) {
    const QStringList levels = PathLevels(path);
    return PathOfLevels(levels, static_cast<int>(levels.size()));
}
// The combo-box items for the levels: "\\", then each name after 2·k spaces.
QStringList LevelItems(const QStringList& levels);

QString ParentPath(const QString& path);
QString ChildPath(const QString& path, const QString& name);

// Whether a file name ends with ext ("." included), ASCII case ignored.
bool HasExtension(const QString& fileName, const QString& ext);

struct FolderEntry {
    QString name;
    bool isFolder = false;
    // The text the list shows: "[name]" for a folder, the bare name for a file.
    QString text() const { return isFolder ? u'[' + name + u']' : name; }
};

// The sub-folders (names not beginning with ".") and the files with ext in
// the folder, in the order the search returns them. A folder that cannot be
// searched gives what was found before the failure; no entry comes twice.
std::vector<FolderEntry> ListFolder(const QString& path, const QString& ext);

} // namespace maintenance
