// The new-entry flow: the amount page, the category page, the payee page and,
// when asked for there, the template dialog; then the entry is stored.
#pragma once

#include "platform/Time.h"

class CMyTALYDoc;
class QWidget;

// Hides the owner while the pages run and shows it again in number mode at the
// end, whether the entry was stored or the flow was cancelled. The entry gets
// `initialDate` unless the category page picks another date.
void RunNewEntryFlow(QWidget* owner, CMyTALYDoc& doc, plat::TimeValue initialDate);
