// The dialogs behind these tasks join the program with their own libraries;
// until then each task leaves the panel as it was, as a cancelled dialog does.
#include "ui/main/PanelTasks.h"

void PanelTasks::RunNewEntryFlow(QWidget*, CMyTALYDoc&, plat::TimeValue) {}

void PanelTasks::NewEntryFromTemplate(QWidget*, CMyTALYDoc&, plat::TimeValue) {}

void PanelTasks::OpenSummary(QWidget*, CMyTALYDoc&, std::uint32_t, plat::TimeValue, bool) {}

void PanelTasks::OpenOrganize(QWidget*, CMyTALYDoc&) {}

void PanelTasks::OpenItemEdit(QWidget*, CMyTALYDoc&, const QString&) {}

void PanelTasks::OpenOptions(QWidget*, CMyTALYDoc&) {}
