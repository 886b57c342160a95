// The CSV parser on hand-made bytes: field rules, line ends and line limits.
#include "ledger/CsvFile.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <tuple>

using csv::Entry;
using csv::LineKind;
using Next = csv::Reader::Next;

namespace {

// A parsed entry as "year/month/day texts amount", the four texts joined by '|'.
QString Describe(const Entry& e) {
    return QStringLiteral("%1/%2/%3 ").arg(e.year).arg(e.month).arg(e.day) +
           QStringList{e.category, e.remark, e.payee, e.payMethod}.join(u'|') +
           QStringLiteral(" %1").arg(e.amount);
}

TEST(CsvFileTest, DataLinesParseFieldByField) {
    // Each line, its kind and the entry it gives (none when it is cut short).
    const std::tuple<QByteArray, LineKind, const char*> rows[] = {
        {"1,\"2008/8/1\",\"ab\"c,\"r\",5,\"\",\"\"", LineKind::Entry, "2008/8/1 ab||5| 0"},
        {"1,2008/8/1,a,b,99999999999999999999999,c,d", LineKind::Invalid,
         "2008/8/1 a|b|c|d 1099511627776"}, // digits beyond 64 bits
        {"1,\"2008/2/29\",a,b,1,c,d", LineKind::Entry, "2008/2/29 a|b|c|d 1"},
        {"5,\"2008/8/31\",\"b\",\"say \"\"hi\"\"\",700,\"\",\"\"", LineKind::Entry,
         "2008/8/31 b|say \"hi\"|| 700"}, // a doubled quote stands for one
        {"1,\"2008/8/1\",\"a\",\"b\",100", LineKind::Incomplete, nullptr},
        {"1,\"2008/8/1\",\"abc", LineKind::Incomplete, nullptr},
    };
    plat::MultiByteDecoder decoder;
    for (const auto& [line, kind, entry] : rows) {
        Entry e;
        EXPECT_EQ(csv::ParseLine(line, decoder, &e), kind) << line.constData();
        EXPECT_EQ(entry ? Describe(e) : QString(), QString::fromUtf8(entry)) << line.constData();
    }
}

// What a reader makes of a whole file: "E" an entry (its category follows),
// "S" skipped, then how it ended.
QString Outcome(const QByteArray& file) {
    csv::Reader reader;
    reader.openBytes(file);
    QString out;
    Entry e;
    Next n;
    while ((n = reader.next(&e)) == Next::Entry || n == Next::Skipped)
        out += n == Next::Entry ? u'E' + e.category + u' ' : QStringLiteral("S ");
    if (n == Next::Stopped) return out + QStringLiteral("stopped at %1").arg(reader.lineNumber());
    return out + QStringList{"", "", "end", "", "unfinished", "error"}[static_cast<int>(n)];
}

QByteArray Line(const char* category) {
    return QByteArray("1,\"2008/8/1\",\"") + category + "\",\"\",100,\"\",\"\"";
}

TEST(CsvFileTest, FilesSplitIntoLinesByTheirLineEnds) {
    const QByteArray h = "\"ID\",\"x\"\r\n";
    const QByteArray l255 = Line("a") + QByteArray(255 - Line("a").size(), ' ');
    const std::pair<QByteArray, const char*> files[] = {
        {h + Line("a") + "\r\n" + Line("b") + "\r\n", "Ea Eb end"},
        {"\"ID\",\"x\"\n" + Line("a") + "\n" + Line("b") + "\n", "Ea Eb end"}, // LF only
        {h + Line("a") + "\r\n" + Line("b"), "Ea unfinished"},
        {h + Line("a\rb") + "\r\n", "Eab end"},                    // a lone CR is dropped
        {h + Line("a\nb") + "\r\n", "Ea\nb end"},                  // a lone LF is a byte
        {h + l255 + "\r\n", "Ea end"},                             // 255 bytes are a line
        {h + l255 + " \r\n" + Line("b") + "\r\n", "stopped at 2"}, // 256 end the reading
        {h + "\r\n" + Line("b") + "\r\n", "end"},                  // so does an empty line
        {QByteArray(256, 'h') + Line("a") + "\r\n" + Line("b") + "\r\n",
         "Ea Eb end"}, // 256-byte header
    };
    for (const auto& [file, outcome] : files)
        EXPECT_EQ(Outcome(file), QString::fromLatin1(outcome)) << file.toHex().constData();
}

} // namespace
