// Operations on the document's ten template slots. Each keeps the table
// compact: the used slots come first, in the user's order, and a slot is only
// ever filled at the first free position.
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

// Puts name and record into slot and marks it used. False (nothing changed)
// for a slot outside the table.
bool StoreTemplate(TemplateSlots* table, int slot, const QString& name, const InOutRecord& record);
// Stores into the first free slot; its number, or -1 (nothing changed) when all are used.
int AddTemplate(TemplateSlots* table, const QString& name, const InOutRecord& record);
// Removes a used slot: later slots move up one place and the last slot becomes
// free and named "未設定". False (nothing changed) for a free or missing slot.
bool DeleteTemplate(TemplateSlots* table, int slot);
// Swaps a used slot with its neighbour above (-1) or below (+1). False
// (nothing changed) when either of the two is free or outside the table.
bool MoveTemplate(TemplateSlots* table, int slot, int direction);
