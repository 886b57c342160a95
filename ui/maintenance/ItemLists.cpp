#include "ui/maintenance/ItemLists.h"

#include "ledger/CMyTALYDoc.h"
#include "ledger/Lists.h"
#include "platform/Files.h"

namespace maintenance {

namespace {
const QString kCategoryLabel = QStringLiteral(u"分類");
const QString kPayMethodLabel = QStringLiteral(u"支払方法");
} // namespace

QString RemarkChoiceLabel(const QString& category) {
    return QStringLiteral(u"備考\\") + CategoryName(category);
}

QString PayeeChoiceLabel(const QString& category) {
    return QStringLiteral(u"支払先\\") + CategoryName(category);
}

std::vector<ListChoice> BuildListChoices(const CMyTALYDoc& doc, const QStringList& categories) {
    std::vector<ListChoice> choices{{kCategoryLabel, CategoryListPath(doc)}};
    for (const QString& c : categories)
        choices.push_back({RemarkChoiceLabel(c), RemarkListPath(doc, CategoryName(c))});
    for (const QString& c : categories)
        choices.push_back({PayeeChoiceLabel(c), PayeeListPath(doc, CategoryName(c))});
    choices.push_back({kPayMethodLabel, PayMethodListPath(doc)});
    return choices;
}

QStringList TextsForSaving(const QStringList& texts) {
    QStringList kept;
    for (const QString& t : texts) {
        const QString cut = CutText(t, kMaxItemChars);
        if (!cut.isEmpty()) kept.append(cut);
    }
    return kept;
}

bool MayRemoveCategoryFiles(const QStringList& categories, int index) {
    if (index < 0 || index >= categories.size()) return false;
    const QString name = CategoryName(categories[index]);
    for (int i = 0; i < categories.size(); ++i)
        if (i != index && CategoryName(categories[i]) == name) return false;
    return true;
}

int FindChoice(const std::vector<ListChoice>& choices, const QString& label) {
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i].label == label) return static_cast<int>(i);
    return -1;
}

int RemoveCategoryFiles(const CMyTALYDoc& doc, const QString& category) {
    const QString name = CategoryName(category);
    int removed = 0;
    for (const QString& path : {RemarkListPath(doc, name), PayeeListPath(doc, name)})
        if (!path.isEmpty() && plat::DeleteFile(path)) ++removed;
    return removed;
}

} // namespace maintenance
