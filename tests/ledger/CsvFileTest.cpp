// The CSV library on hand-made bytes: the parsing rules' corner cases, line
// ends and limits of whole files, and the writer on a full disk. The common
// lines are read and written through the document (CsvTransferTest).
#include "support/DeviceTest.h"

#include "ledger/CsvFile.h"
#include "platform/Faults.h"

#include <vector>

using csv::Entry;
using csv::LineKind;
using Next = csv::Reader::Next;

namespace {

using CsvFileTest = DeviceTest;

// A parsed entry as "year/month/day texts amount", the four texts joined by '|'.
QString Describe(const Entry& e) {
    return QStringLiteral("%1/%2/%3 ").arg(e.year).arg(e.month).arg(e.day) +
           QStringList{e.category, e.remark, e.payee, e.payMethod}.join(u'|') +
           QStringLiteral(" %1").arg(e.amount);
}

TEST_F(CsvFileTest, DataLinesParseFieldByField) {
    const struct {
        QByteArray line;
        LineKind kind;
        const char* entry; // checked for Entry and Invalid
    } rows[] = {
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
    for (const auto& row : rows) {
        Entry e;
        EXPECT_EQ(csv::ParseLine(row.line, decoder, &e), row.kind) << row.line.constData();
        if (row.entry) {
            EXPECT_EQ(Describe(e), QString::fromUtf8(row.entry)) << row.line.constData();
        }
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

TEST_F(CsvFileTest, FilesSplitIntoLinesByTheirLineEnds) {
    const QByteArray h = "\"ID\",\"x\"";
    const QByteArray l255 = Line("a") + QByteArray(255 - Line("a").size(), ' ');
    const QByteArray l256 = l255 + ' ';
    struct Row {
        const char* name;
        QByteArray file;
        const char* outcome;
    } rows[] = {
        {"CR LF", h + "\r\n" + Line("a") + "\r\n" + Line("b") + "\r\n", "Ea Eb end"},
        {"LF only", h + "\n" + Line("a") + "\n" + Line("b") + "\n", "Ea Eb end"},
        {"last line without line end", h + "\r\n" + Line("a") + "\r\n" + Line("b"),
         "Ea unfinished"},
        {"lone CR dropped", h + "\r\n" + Line("a\rb") + "\r\n", "Eab end"},
        {"lone LF is a byte in a CR LF file", h + "\r\n" + Line("a\nb") + "\r\n", "Ea\nb end"},
        {"255-byte line", h + "\r\n" + l255 + "\r\n", "Ea end"},
        {"256-byte line ends the reading", h + "\r\n" + l256 + "\r\n" + Line("b") + "\r\n",
         "stopped at 2"},
        {"empty line ends the reading", h + "\r\n\r\n" + Line("b") + "\r\n", "end"},
        {"overlong header: reading goes on after 256 bytes",
         QByteArray(256, 'h') + Line("a") + "\r\n" + Line("b") + "\r\n", "Ea Eb end"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Outcome(row.file), QString::fromLatin1(row.outcome));
    }
}

TEST_F(CsvFileTest, FullDiskKeepsTheEarlierFile) {
    const QString path = QStringLiteral(u"\\My Documents\\out.csv");
    writeFile(path, "earlier");
    csv::Writer writer;
    ASSERT_TRUE(writer.open(path));
    plat::faults::CutWritesAfter(100);
    const plat::SYSTEMTIME date{2008, 8, 0, 1, 0, 0, 0, 0};
    for (int i = 0; i < 5000; ++i) // more than one buffer's worth
        writer.add(i, date, QStringLiteral("a"), {}, 1, {}, {});
    EXPECT_FALSE(writer.commit());
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_DISK_FULL);
    plat::faults::Reset();
    EXPECT_EQ(readFile(path), "earlier");
}

} // namespace
