// Test helpers shared by the panel and start-up tests: a plain entry and the
// amounts read straight from the bytes of a ledger file.
#pragma once

#include "ledger/InOutRecord.h"

#include <QByteArray>
#include <cstring>
#include <vector>

namespace probe {

// An expense or income of today in the test clock's terms (2008-03-10).
inline InOutRecord MakeRecord(std::int32_t amount) {
    InOutRecord r{};
    SetFieldText(r.category, u"食費");
    SetFieldText(r.remark, u"その他");
    SetFieldText(r.payee, u"その他");
    SetFieldText(r.payMethod, u"現金");
    r.date = plat::TimeValueToSystemTime(1205152496);
    r.amount = amount;
    return r;
}

// The amounts of a ledger file's records: a 16-byte header, then 184-byte
// records with the amount at offset 148.
inline std::vector<std::int32_t> AmountsInLedger(const QByteArray& file) {
    std::vector<std::int32_t> amounts;
    for (qsizetype at = 16; at + 184 <= file.size(); at += 184) {
        std::int32_t amount;
        std::memcpy(&amount, file.constData() + at + 148, sizeof amount);
        amounts.push_back(amount);
    }
    return amounts;
}

} // namespace probe
