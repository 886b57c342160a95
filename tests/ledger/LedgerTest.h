// Fixture for the ledger tests: a clean handset whose data folder is the
// default "My Documents\Tallybook", and helpers to read back what happened.
#pragma once

#include "LedgerBytes.h"
#include "support/DeviceTest.h"

#include "ledger/CMyTALYDoc.h"
#include "ledger/DataFiles.h"

#include <QStringList>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

// Names parameterised cases after their row's `name`.
struct CaseName {
    template <class Row> std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
        return row.param.name;
    }
};

class LedgerTest : public DeviceTest {
protected:
    static inline const QString kFolder = QStringLiteral(u"\\My Documents\\Tallybook");
    static QString inFolder(const QString& suffix) { return kFolder + suffix; }
    static QString ledgerPath() { return inFolder(datafile::kLedger); }

    // Puts hand-made bytes where the document will find them.
    void writeData(const QString& suffix, const QByteArray& b) const {
        writeFile(inFolder(suffix), b);
    }
    QByteArray readData(const QString& suffix) const { return readFile(inFolder(suffix)); }

    static std::unique_ptr<CMyTALYDoc> openDoc() { return std::make_unique<CMyTALYDoc>(); }

    // The codes of the "Error ! ID = %d" boxes shown, in order.
    std::vector<int> errorCodes() const {
        std::vector<int> codes;
        for (const RecordedBox& b : boxes.shown()) {
            if (b.caption != QStringLiteral("ERROR")) continue;
            codes.push_back(b.text.mid(QStringLiteral("Error ! ID = ").size()).toInt());
        }
        return codes;
    }

    // A record made from hand-made bytes.
    static InOutRecord record(const bytes::Entry& e) {
        const QByteArray b = bytes::Record(e);
        InOutRecord r;
        std::memcpy(&r, b.constData(), sizeof r);
        return r;
    }

    static QStringList categories(const CMyTALYDoc& doc) {
        QStringList list;
        for (const LedgerNode* n = doc.m_pHead; n; n = n->next)
            list << FieldText(n->record.category);
        return list;
    }
    static std::vector<int> ids(const CMyTALYDoc& doc) {
        std::vector<int> list;
        for (const LedgerNode* n = doc.m_pHead; n; n = n->next)
            list.push_back(n->record.id);
        return list;
    }
    static QStringList numberedCategories(int from, int to) {
        QStringList list;
        for (int n = from; n <= to; ++n)
            list << bytes::Numbered(n).category;
        return list;
    }
};
