// CSV files of ledger entries, free of the document: the line format both
// ways, the reader's line splitting and field parsing, and an atomic writer.
//
// Layout (CP932 bytes, lines end with CR LF):
//   "ID","日付","分類","備考","金額","支払先","支払方法"
//   1,"2008/8/1","食費","昼食",1500,"店","現金"
// Texts are quoted; a double quote inside a text is doubled. The reader also
// takes unquoted fields, and files that use LF alone as the line end.
#pragma once

#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/Time.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

namespace csv {

inline constexpr int kMaxLineBytes = 256; // a line this long is no entry
inline constexpr std::int64_t kMaxAmount = 2000000000;

// The header line, CR LF included.
QByteArray HeaderLine();

// One data line's values, texts decoded but not cut to the record's length.
struct Entry {
    int year = 0;
    int month = 0;
    int day = 0;
    QString category;
    QString remark;
    std::int64_t amount = 0;
    QString payee;
    QString payMethod;
};

enum class LineKind {
    Entry,      // every field found, date and amount valid
    Invalid,    // every field found, but the date is no real day or the amount out of range
    Incomplete, // a separator is missing: the line cannot be an entry
};

// Parses one data line (without its line end). *out is filled for Entry and Invalid.
LineKind ParseLine(QByteArrayView line, plat::MultiByteDecoder& decoder, Entry* out);

// Appends one data line (CR LF included) to *out.
void AppendLine(std::int32_t id, const plat::SYSTEMTIME& date, QStringView category,
                QStringView remark, std::int32_t amount, QStringView payee, QStringView payMethod,
                plat::MultiByteEncoder& encoder, QByteArray* out);

// Splits bytes into lines. With crLf a line ends at CR LF, a CR before any
// other byte is dropped and a lone LF is an ordinary byte; without it a line
// ends at LF. A line stops at kMaxLineBytes bytes.
class LineSplitter {
public:
    // Fills the buffer; returns the bytes read, 0 at the end, -1 on a read error.
    using Source = std::function<std::int64_t(char* buffer, std::int64_t size)>;
    LineSplitter(Source source, bool crLf);

    enum class Status {
        Line,       // a complete line
        Overlong,   // kMaxLineBytes bytes without a line end; reading goes on after them
        Unfinished, // the data ended inside a line
        End,        // the data ended between lines
        ReadError,
    };
    Status next(QByteArray* line);

private:
    bool refill();
    Source m_source;
    bool m_crLf;
    bool m_readError = false;
    QByteArray m_buffer;
    std::int64_t m_pos = 0;
    std::int64_t m_len = 0;
};

// Reads the entries of a CSV file: the first line is skipped whatever it holds.
class Reader {
public:
    Reader() = default;
    Reader(const Reader&) = delete; // its source refers to its own members
    Reader& operator=(const Reader&) = delete;
    // False (last error set) when the file cannot be opened.
    bool open(const QString& path);
    // Reads from bytes in memory instead of a file.
    void openBytes(QByteArray bytes);

    enum class Next {
        Entry,      // *out holds the next entry
        Skipped,    // a line with an invalid date or amount; reading goes on
        End,        // the data ended (an empty line counts as the end)
        Stopped,    // an overlong line or one that cannot be an entry ends the reading
        Unfinished, // the last line has no line end: it is not read
        ReadError,  // last error set
    };
    Next next(Entry* out);
    // The 1-based number of the line the last next() looked at.
    int lineNumber() const { return m_line; }

private:
    void start(LineSplitter::Source source, bool crLf);
    plat::File m_file;
    QByteArray m_bytes;
    std::unique_ptr<LineSplitter> m_lines;
    plat::MultiByteDecoder m_decoder;
    QByteArray m_lineBuffer;
    int m_line = 0;
};

// Writes a CSV file that replaces any earlier file of the name only when every
// byte was written: a failure leaves the earlier file as it was.
class Writer {
public:
    // Creates the new file and buffers the header. False (last error set) on failure.
    bool open(const QString& path);
    bool add(std::int32_t id, const plat::SYSTEMTIME& date, QStringView category,
             QStringView remark, std::int32_t amount, QStringView payee, QStringView payMethod);
    // Writes what is buffered and replaces the old file. False (last error set)
    // when any write failed; the earlier file is then kept.
    bool commit();

private:
    bool flushBuffer();
    plat::AtomicFile m_file;
    plat::MultiByteEncoder m_encoder;
    QByteArray m_buffer;
    bool m_failed = false;
};

} // namespace csv
