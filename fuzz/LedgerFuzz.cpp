// The ledger file reader on any bytes, both layouts: what it loads is a
// consistent list, and a load that counted as complete survives a full rewrite.
#include "fuzz/FuzzDevice.h"

#include "ledger/CMyTALYDoc.h"
#include "ledger/DataFiles.h"

#include <cstring>
#include <vector>

namespace {

std::vector<InOutRecord> Records(const CMyTALYDoc& doc) {
    std::vector<InOutRecord> records;
    std::int64_t balance = 0;
    for (const LedgerNode* n = doc.Head(); n; n = n->next) {
        records.push_back(n->record);
        balance -= n->record.amount;
        fuzz::Require(n->record.id == static_cast<std::int32_t>(records.size()),
                      "ids number the list from 1");
        fuzz::Require(n->next || n == doc.Tail(), "the tail is the last node");
    }
    fuzz::Require(records.size() == doc.Count(), "the count is the list's length");
    fuzz::Require(balance == doc.Balance(), "the balance is income minus expenses");
    return records;
}

bool SameRecords(const std::vector<InOutRecord>& a, const std::vector<InOutRecord>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(InOutRecord)) == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::UseDevice();
    static CMyTALYDoc doc;
    const QString hostPath = fuzz::Host(doc.DataPath(datafile::kLedger));
    fuzz::WriteHostFile(
        hostPath, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    doc.LoadLedger();
    const std::vector<InOutRecord> loaded = Records(doc);
    if (doc.FileUnread() || loaded.empty()) return 0; // a damaged file is never rewritten here

    doc.ReplaceRecord(1, loaded.front()); // the same bytes, but a full rewrite
    fuzz::Require(doc.SaveLedger(), "a loaded ledger can be saved");
    fuzz::Require(doc.LoadLedger() && !doc.FileUnread(), "a saved ledger loads completely");
    fuzz::Require(SameRecords(Records(doc), loaded), "a full rewrite keeps every record");
    return 0;
}
