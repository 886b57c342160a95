// Fixture for every test that needs the document: a clean handset whose data
// folder is the default "My Documents\Tallybook", hand-made files put where the
// document finds them, and what happened read back.
#pragma once

#include "support/Bytes.h"
#include "support/DeviceTest.h"

#include "ledger/CMyTALYDoc.h"
#include "ledger/DataFiles.h"

#include <QStringList>
#include <memory>
#include <string>
#include <vector>

// Names parameterised cases after their row's `name`.
struct CaseName {
    template <class Row> std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
        return row.param.name;
    }
};

class DocTest : public DeviceTest {
protected:
    static inline const QString kFolder = QStringLiteral(u"\\My Documents\\Tallybook");
    static QString inFolder(const QString& suffix) { return kFolder + suffix; }
    static QString ledgerPath() { return inFolder(datafile::kLedger); }

    // Puts hand-made bytes where the document will find them.
    void writeData(const QString& suffix, const QByteArray& b) const {
        writeFile(inFolder(suffix), b);
    }
    QByteArray readData(const QString& suffix) const { return readFile(inFolder(suffix)); }
    void writeList(const QString& suffix, const QStringList& texts) const {
        writeData(suffix, bytes::ListFile(texts));
    }
    // The lists the entry dialogs offer: categories 食費 and 交通費 with their
    // remarks and payees, payment methods 現金 and カード.
    void writeEntryLists() const;

    static std::unique_ptr<CMyTALYDoc> openDoc() { return std::make_unique<CMyTALYDoc>(); }
    static InOutRecord record(const bytes::Entry& e) { return bytes::MakeRecord(e); }

    // The codes of the "Error ! ID = %d" boxes shown, in order.
    std::vector<int> errorCodes() const;

    static QStringList categories(const CMyTALYDoc& doc);
    static std::vector<int> ids(const CMyTALYDoc& doc);
    static QStringList numberedCategories(int from, int to);
};

// For dialog tests: the document is open on a clean handset before each test
// (the dialogs' own buttons, not the soft-key bar), and `reopen` starts it
// again on what the folder holds then.
class OpenDocTest : public DocTest {
protected:
    void SetUp() override;
    void TearDown() override;
    CMyTALYDoc& reopen();

    std::unique_ptr<CMyTALYDoc> doc;
};
