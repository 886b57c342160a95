#include "support/DocTest.h"

#include "platform/System.h"

using namespace Qt::Literals::StringLiterals;

void OpenDocTest::SetUp() {
    DocTest::SetUp();
    plat::SetPlatformIdentity(4, u"PocketPC"_s);
    doc = openDoc();
}

void OpenDocTest::TearDown() {
    doc.reset();
    DocTest::TearDown();
}

CMyTALYDoc& OpenDocTest::reopen() {
    doc.reset();
    doc = openDoc();
    return *doc;
}

void DocTest::writeEntryLists() const {
    writeList(datafile::kCategories, {u"食費"_s, u"交通費"_s, u"給与"_s});
    writeList(u"\\備考\\食費.DAT"_s, {u"昼食"_s, u"夕食"_s});
    writeList(u"\\支払先\\食費.DAT"_s, {u"コンビニ"_s});
    writeList(u"\\備考\\交通費.DAT"_s, {u"電車"_s, u"昼食"_s});
    writeList(u"\\支払先\\交通費.DAT"_s, {u"JR"_s});
    writeList(datafile::kPayMethods, {u"現金"_s, u"カード"_s});
}

std::vector<int> DocTest::errorCodes() const {
    std::vector<int> codes;
    for (const RecordedBox& b : boxes.shown()) {
        if (b.caption != u"ERROR"_s) continue;
        codes.push_back(b.text.mid(u"Error ! ID = "_s.size()).toInt());
    }
    return codes;
}

QStringList DocTest::categories(const CMyTALYDoc& d) {
    QStringList list;
    for (const LedgerNode* n = d.Head(); n; n = n->next)
        list << FieldText(n->record.category);
    return list;
}

std::vector<int> DocTest::ids(const CMyTALYDoc& d) {
    std::vector<int> list;
    for (const LedgerNode* n = d.Head(); n; n = n->next)
        list.push_back(n->record.id);
    return list;
}

QStringList DocTest::numberedCategories(int from, int to) {
    QStringList list;
    for (int n = from; n <= to; ++n)
        list << bytes::Numbered(n).category;
    return list;
}
