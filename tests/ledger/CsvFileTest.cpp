// The CSV reader on hand-made bytes: field rules, line ends and line limits.
#include "ledger/CsvFile.h"

#include <QStringList>
#include <gtest/gtest.h>

using Next = csv::Reader::Next;

namespace {

// A file as a reader takes it: each entry's fields joined by '|', "S" if skipped, then the end.
QString Outcome(const QByteArray& file) {
    csv::Reader reader;
    reader.openBytes(file);
    QString out;
    csv::Entry e;
    Next n;
    while ((n = reader.next(&e)) == Next::Entry || n == Next::Skipped) {
        const QString date = QStringLiteral("%1/%2/%3|").arg(e.year).arg(e.month).arg(e.day);
        const QStringList row{e.category, e.remark, QString::number(e.amount), e.payee,
                              e.payMethod};
        out += (n == Next::Skipped ? QStringLiteral("S") : date + row.join(u'|')) +
               QStringLiteral("; ");
    }
    if (n == Next::Stopped) return out + QStringLiteral("stopped at %1").arg(reader.lineNumber());
    return out + QStringList{"", "", "end", "", "unfinished", "error"}[static_cast<int>(n)];
}

QByteArray Line(const char* category) {
    return QByteArray("1,\"1/1/1\",\"") + category + "\",\"\",1,\"\",\"\"";
}

TEST(CsvFileTest, FilesSplitIntoLinesAndLinesIntoFields) {
    const QByteArray h = "\"ID\",\"x\"\r\n";
    const QByteArray l255 = Line("a") + QByteArray(255 - Line("a").size(), ' ');
    const std::pair<QByteArray, const char*> files[] = {
        {h + "1,\"2008/8/1\",\"ab\"c,\"r\",5,\"\",\"\"\r\n", "2008/8/1|ab||0|5|; end"},
        {h + "1,2008/8/1,a,b,99999999999999999999999,c,d\r\n", "S; end"}, // beyond 64 bits
        {h + "1,\"2008/2/29\",a,b,1,c,d\r\n", "2008/2/29|a|b|1|c|d; end"},
        {h + "5,\"2008/8/31\",\"b\",\"say \"\"hi\"\"\",700,\"\",\"\"\r\n",
         "2008/8/31|b|say \"hi\"|700||; end"}, // a doubled quote stands for one
        {h + "1,\"2008/8/1\",\"a\",\"b\",100\r\n", "stopped at 2"},
        {h + "1,\"2008/8/1\",\"a\",\"b\",100,p\r\n", "stopped at 2"},
        {h + "1,\"2008/8/1\",\"a\",\"b\",1,\"abc\r\n", "stopped at 2"},
        {"\"ID\",\"x\"\n" + Line("a") + "\n", "1/1/1|a||1||; end"}, // LF only
        {h + Line("a") + "\r\n" + Line("b"), "1/1/1|a||1||; unfinished"},
        {h + Line("a\rb") + "\r\n", "1/1/1|ab||1||; end"},                // a lone CR is dropped
        {h + Line("a\nb") + "\r\n", "1/1/1|a\nb||1||; end"},              // a lone LF is a byte
        {h + l255 + "\r\n", "1/1/1|a||1||; end"},                         // 255 bytes are a line
        {h + l255 + " \r\n" + Line("b") + "\r\n", "stopped at 2"},        // 256 end the reading
        {h + "\r\n" + Line("b") + "\r\n", "end"},                         // so does an empty line
        {QByteArray(256, 'h') + Line("a") + "\r\n", "1/1/1|a||1||; end"}, // 256-byte header
    };
    for (const auto& [file, outcome] : files)
        EXPECT_EQ(Outcome(file), QString::fromLatin1(outcome)) << file.toHex().constData();
}

} // namespace
