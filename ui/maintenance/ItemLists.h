// The lists the item-edit dialog offers and the operations it performs on
// them, free of widgets: which lists there are and where their files lie, the
// texts as they are written back, and the removal of a deleted category's
// remark and payee lists.
#pragma once

#include "ledger/InOutRecord.h"

#include <QString>
#include <QStringList>
#include <vector>

class CMyTALYDoc;

namespace maintenance {

// Longest text a list entry is written with, and longest category name used
// for its remark and payee lists (an entry field holds no more).
inline constexpr int kMaxItemChars = 31;
inline constexpr int kMaxCategoryChars = 15;

// One item of the list choice: its text and the file it shows.
struct ListChoice {
    QString label; // "分類", "備考\\食費", "支払先\\食費", "支払方法"
    QString path;  // full handset path; empty when the data folder is unknown
};

// "分類", then "備考\\" and "支払先\\" for every category in order, then
// "支払方法". The per-category files go through the safe file-name mapping,
// so a category text never reaches outside its folder.
std::vector<ListChoice> BuildListChoices(const CMyTALYDoc& doc, const QStringList& categories);

// The texts as they are written: each cut to kMaxItemChars; empty texts (which
// would end the list early) left out.
QStringList TextsForSaving(const QStringList& texts);

// The category name a list entry stands for in the remark and payee lists.
inline QString CategoryName(const QString& entry) {
    return CutText(entry, kMaxCategoryChars);
}

// Whether deleting entry `index` of the category list may take the category's
// remark and payee lists with it: not while another entry still has that name.
bool MayRemoveCategoryFiles(const QStringList& categories, int index);

// Index of the choice whose label is exactly `label`, -1 when none.
int FindChoice(const std::vector<ListChoice>& choices, const QString& label);

// Labels of a category's remark and payee lists.
QString RemarkChoiceLabel(const QString& category);
QString PayeeChoiceLabel(const QString& category);

// Deletes the category's remark and payee files; a file that cannot be
// deleted (or is missing) is left alone. Returns how many were deleted.
int RemoveCategoryFiles(const CMyTALYDoc& doc, const QString& category);

} // namespace maintenance
