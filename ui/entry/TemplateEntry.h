// A new ledger entry made from a template: the template list, then the entry
// edit dialog in add mode on a copy of the picked template, then AddRecord.
#pragma once

#include "platform/Time.h"

class CMyTALYDoc;
class QWidget;

// Runs the template list on doc; when a template is picked, lets the user check
// the entry (dated `date`) and adds it, saving everything when the document
// saves on every change; then shows the owner again in number mode. True when
// a template was picked, whether or not the entry was then added.
bool NewEntryFromTemplate(QWidget* owner, CMyTALYDoc& doc, plat::TimeValue date);
