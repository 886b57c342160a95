// The tasks the command panel opens, each a modal dialog of its own library.
// The panel hands over its window as owner and the document; a task whose
// dialog has not been built into the program yet does nothing.
#pragma once

#include "platform/Time.h"

#include <QString>
#include <cstdint>

class CMyTALYDoc;
class QWidget;

class PanelTasks {
public:
    virtual ~PanelTasks() = default;

    // New-entry flow starting on the amount page, for the given date.
    virtual void RunNewEntryFlow(QWidget* owner, CMyTALYDoc& doc, plat::TimeValue date);
    // Template list, then entry edit, then the entry is added.
    virtual void NewEntryFromTemplate(QWidget* owner, CMyTALYDoc& doc, plat::TimeValue date);
    // Summary dialog in one breakdown (a SUM_ bit) around baseDate; detailScreen
    // tells it that it was opened as the detail list.
    virtual void OpenSummary(QWidget* owner, CMyTALYDoc& doc, std::uint32_t mode,
                             plat::TimeValue baseDate, bool detailScreen);
    virtual void OpenOrganize(QWidget* owner, CMyTALYDoc& doc);
    // Item edit of one lookup list, given relative to the data folder.
    virtual void OpenItemEdit(QWidget* owner, CMyTALYDoc& doc, const QString& listFile);
    virtual void OpenOptions(QWidget* owner, CMyTALYDoc& doc);
};
