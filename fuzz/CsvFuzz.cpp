// The CSV reader on any bytes: it ends, every entry it yields has a real day
// and an amount within the limit, and a written entry reads back the same.
#include "fuzz/FuzzDevice.h"

#include "ledger/CsvFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    csv::Reader reader;
    reader.openBytes(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    plat::MultiByteEncoder encoder;
    plat::MultiByteDecoder decoder;
    csv::Entry e;
    for (csv::Reader::Next n = reader.next(&e); n == csv::Reader::Next::Entry ||
                                                n == csv::Reader::Next::Skipped;
         n = reader.next(&e)) {
        fuzz::Require(reader.lineNumber() <= static_cast<int>(size) + 2, "every line uses bytes");
        if (n != csv::Reader::Next::Entry) continue;
        fuzz::Require(e.amount >= -csv::kMaxAmount && e.amount <= csv::kMaxAmount, "amount limit");
        fuzz::Require(e.month >= 1 && e.month <= 12 && e.day >= 1 && e.day <= 31, "a real day");
        const plat::SYSTEMTIME date{static_cast<std::uint16_t>(e.year),
                                    static_cast<std::uint16_t>(e.month), 0,
                                    static_cast<std::uint16_t>(e.day), 0, 0, 0, 0};
        QByteArray line;
        csv::AppendLine(1, date, e.category, e.remark, static_cast<std::int32_t>(e.amount), e.payee,
                        e.payMethod, encoder, &line);
        line.chop(2); // CR LF
        csv::Entry back;
        fuzz::Require(csv::ParseLine(line, decoder, &back) == csv::LineKind::Entry, "reads back");
        fuzz::Require(back.category == e.category && back.remark == e.remark &&
                          back.payee == e.payee && back.payMethod == e.payMethod &&
                          back.amount == e.amount && back.day == e.day,
                      "the same entry");
    }
    return 0;
}
