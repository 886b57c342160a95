// Reading the ten template slots. The document's template operations keep the
// table compact: the used slots come first, in the user's order.
#pragma once

#include "ledger/TemplateRecord.h"

#include <QString>

// The number of used slots counted from the first, stopping at the first free one.
int CountTemplates(const TemplateSlots& table);
// The name of a slot as text.
QString TemplateName(const TemplateRecord& slot);
// The list line of a slot: " %d:%s", the slot number (counted from 0) and the name.
QString TemplateLine(const TemplateSlots& table, int slot);

// The record a new template starts from: every field zero, remark and payee
// "その他", payment method "現金", the given date.
InOutRecord NewTemplateRecord(const plat::SYSTEMTIME& date);
