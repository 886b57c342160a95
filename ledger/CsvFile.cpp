#include "ledger/CsvFile.h"

#include <cstring>

namespace csv {
namespace {

constexpr std::int64_t kChunk = 1 << 16;
constexpr qsizetype kNone = -1;

// Like the C library's atoi from `from`: blanks, an optional sign, digits up
// to the first non-digit, 0 without digits; saturates instead of overflowing.
std::int64_t ParseInt(QByteArrayView s, qsizetype from) {
    qsizetype i = from;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    constexpr std::int64_t kCap = std::int64_t{1} << 40; // far beyond any valid field
    std::int64_t value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
        value = std::min(value * 10 + (s[i] - '0'), kCap);
    return negative ? -value : value;
}

qsizetype Find(QByteArrayView s, char c, qsizetype from) {
    if (from > s.size()) return kNone;
    const void* hit = std::memchr(s.data() + from, c, static_cast<std::size_t>(s.size() - from));
    return hit ? static_cast<const char*>(hit) - s.data() : kNone;
}

// A quoted text from the quote at `from`: "" stands for one quote, a single
// quote ends it. Returns the position of the closing quote, kNone without one.
qsizetype QuotedText(QByteArrayView s, qsizetype from, QByteArray* text) {
    text->clear();
    for (qsizetype i = from + 1; i < s.size(); ++i) {
        if (s[i] != '"') {
            text->append(s[i]);
            continue;
        }
        if (i + 1 < s.size() && s[i + 1] == '"') {
            text->append('"');
            ++i;
            continue;
        }
        return i;
    }
    return kNone;
}

// A text field at *pos: quoted up to its closing quote (the next field two
// bytes later), else up to the next comma. False when its end is missing.
bool TextField(QByteArrayView s, qsizetype* pos, QByteArray* text) {
    const qsizetype p = *pos;
    if (p < s.size() && s[p] == '"') {
        const qsizetype close = QuotedText(s, p, text);
        if (close == kNone) return false;
        *pos = close + 2;
        return true;
    }
    const qsizetype comma = Find(s, ',', p);
    if (comma == kNone) return false;
    *text = s.sliced(p, comma - p).toByteArray();
    *pos = comma + 1;
    return true;
}

// The last field runs to its closing quote, or to the end of the line.
void LastTextField(QByteArrayView s, qsizetype pos, QByteArray* text) {
    if (pos < s.size() && s[pos] == '"' && QuotedText(s, pos, text) != kNone) return;
    *text = pos < s.size() ? s.sliced(pos).toByteArray() : QByteArray();
}

bool DateField(QByteArrayView s, qsizetype* pos, Entry* out) {
    qsizetype p = *pos;
    const bool quoted = p < s.size() && s[p] == '"';
    if (quoted) ++p;
    const qsizetype slash1 = Find(s, '/', p);
    const qsizetype slash2 = slash1 == kNone ? kNone : Find(s, '/', slash1 + 1);
    const qsizetype end = slash2 == kNone ? kNone : Find(s, quoted ? '"' : ',', slash2 + 1);
    if (end == kNone) return false;
    const auto clamp = [](std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, -1, 100000)); };
    out->year = clamp(ParseInt(s, p));
    out->month = clamp(ParseInt(s, slash1 + 1));
    out->day = clamp(ParseInt(s, slash2 + 1));
    *pos = end + (quoted ? 2 : 1);
    return true;
}

bool IsRealDay(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= plat::DaysInMonth(year, month);
}

void AppendQuoted(QStringView text, plat::MultiByteEncoder& encoder, QByteArray* out) {
    out->append(",\"");
    const qsizetype start = out->size();
    encoder.append(text, out);
    // Doubling only where a quote is: texts without one are written unchanged.
    for (qsizetype i = out->size() - 1; i >= start; --i)
        if (out->at(i) == '"') out->insert(i, '"');
    out->append('"');
}

} // namespace

QByteArray HeaderLine() {
    QByteArray out;
    plat::MultiByteEncoder encoder;
    encoder.append(u"\"ID\",\"日付\",\"分類\",\"備考\",\"金額\",\"支払先\",\"支払方法\"\r\n", &out);
    return out;
}

LineKind ParseLine(QByteArrayView s, plat::MultiByteDecoder& decoder, Entry* out) {
    qsizetype pos = Find(s, ',', 0); // the file's own ID is not used
    if (pos == kNone) return LineKind::Incomplete;
    ++pos;
    if (!DateField(s, &pos, out)) return LineKind::Incomplete;
    QByteArray category, remark, payee, payMethod;
    if (!TextField(s, &pos, &category) || !TextField(s, &pos, &remark))
        return LineKind::Incomplete;
    const qsizetype amountEnd = Find(s, ',', pos);
    if (amountEnd == kNone) return LineKind::Incomplete;
    out->amount = ParseInt(s.first(amountEnd), pos);
    pos = amountEnd + 1;
    if (!TextField(s, &pos, &payee)) return LineKind::Incomplete;
    LastTextField(s, pos, &payMethod);
    out->category = decoder.decode(category);
    out->remark = decoder.decode(remark);
    out->payee = decoder.decode(payee);
    out->payMethod = decoder.decode(payMethod);
    const bool valid = IsRealDay(out->year, out->month, out->day) &&
                       out->amount >= -kMaxAmount && out->amount <= kMaxAmount;
    return valid ? LineKind::Entry : LineKind::Invalid;
}

void AppendLine(std::int32_t id, const plat::SYSTEMTIME& date, QStringView category,
                QStringView remark, std::int32_t amount, QStringView payee, QStringView payMethod,
                plat::MultiByteEncoder& encoder, QByteArray* out) {
    out->append(QByteArray::number(id));
    out->append(",\"");
    out->append(QByteArray::number(date.wYear)).append('/');
    out->append(QByteArray::number(date.wMonth)).append('/');
    out->append(QByteArray::number(date.wDay)).append('"');
    AppendQuoted(category, encoder, out);
    AppendQuoted(remark, encoder, out);
    out->append(',').append(QByteArray::number(amount));
    AppendQuoted(payee, encoder, out);
    AppendQuoted(payMethod, encoder, out);
    out->append("\r\n");
}

// ---- Line splitting ------------------------------------------------------------

LineSplitter::LineSplitter(Source source, bool crLf)
    : m_source(std::move(source)), m_crLf(crLf), m_buffer(kChunk, Qt::Uninitialized) {}

bool LineSplitter::refill() {
    m_pos = 0;
    m_len = m_source(m_buffer.data(), kChunk);
    if (m_len < 0) {
        m_readError = true;
        m_len = 0;
    }
    return m_len > 0;
}

// Runs of ordinary bytes are found with memchr and appended at once.
LineSplitter::Status LineSplitter::next(QByteArray* line) {
    line->clear();
    bool pendingCr = false; // a CR, decided by the byte after it
    const char stop = m_crLf ? '\r' : '\n';
    for (;;) {
        if (m_pos == m_len && !refill())
            return m_readError ? Status::ReadError : line->isEmpty() ? Status::End : Status::Unfinished;
        const char* data = m_buffer.constData() + m_pos;
        if (pendingCr) {
            pendingCr = false;
            if (*data == '\n') {
                ++m_pos;
                return Status::Line;
            } // else the CR is dropped and this byte read as any other
        }
        const std::int64_t span = std::min<std::int64_t>(kMaxLineBytes - line->size(), m_len - m_pos);
        const auto* hit = static_cast<const char*>(std::memchr(data, stop, static_cast<std::size_t>(span)));
        const std::int64_t run = hit ? hit - data : span;
        line->append(data, static_cast<qsizetype>(run));
        m_pos += run;
        if (line->size() >= kMaxLineBytes) return Status::Overlong;
        if (!hit) continue;
        ++m_pos; // the CR or LF itself
        if (!m_crLf) return Status::Line;
        pendingCr = true;
    }
}

// ---- Reader --------------------------------------------------------------------

namespace {

// Whether the file holds a CR byte anywhere; it is read from the start again.
bool FileHasCr(plat::File& file, bool* hasCr) {
    QByteArray chunk(kChunk, Qt::Uninitialized);
    *hasCr = false;
    for (;;) {
        std::uint32_t got = 0;
        if (!file.read(chunk.data(), kChunk, &got)) return false;
        if (got == 0) break;
        if (std::memchr(chunk.constData(), '\r', got)) {
            *hasCr = true;
            break;
        }
    }
    return file.seek(0, plat::SeekOrigin::Begin);
}

} // namespace

bool Reader::open(const QString& path) {
    if (!m_file.open(path, plat::GENERIC_READ, plat::FILE_SHARE_READ,
                     plat::Disposition::OpenExisting))
        return false;
    bool hasCr = false;
    if (!FileHasCr(m_file, &hasCr)) return false;
    start(
        [this](char* buffer, std::int64_t size) -> std::int64_t {
            std::uint32_t got = 0;
            if (!m_file.read(buffer, static_cast<std::uint32_t>(size), &got)) return -1;
            return got;
        },
        hasCr);
    return true;
}

void Reader::openBytes(QByteArray bytes) {
    m_bytes = std::move(bytes);
    const bool hasCr = m_bytes.contains('\r');
    auto pos = std::make_shared<qsizetype>(0);
    start(
        [this, pos](char* buffer, std::int64_t size) -> std::int64_t {
            const qsizetype n = std::min<qsizetype>(size, m_bytes.size() - *pos);
            std::memcpy(buffer, m_bytes.constData() + *pos, static_cast<std::size_t>(n));
            *pos += n;
            return n;
        },
        hasCr);
}

void Reader::start(LineSplitter::Source source, bool crLf) {
    // Files with no CR at all come from systems that end lines with LF alone;
    // a file the handset wrote always holds CR LF.
    m_lines = std::make_unique<LineSplitter>(std::move(source), crLf);
    m_line = 0;
}

Reader::Next Reader::next(Entry* out) {
    using S = LineSplitter::Status;
    if (!m_lines) return Next::End;
    if (m_line == 0) {
        ++m_line;
        const S header = m_lines->next(&m_lineBuffer);
        if (header == S::ReadError) return Next::ReadError;
        if (header != S::Line && header != S::Overlong) return Next::End;
    }
    ++m_line;
    switch (m_lines->next(&m_lineBuffer)) {
    case S::Line:
        break;
    case S::Overlong:
        return Next::Stopped;
    case S::Unfinished:
        return Next::Unfinished;
    case S::End:
        return Next::End;
    case S::ReadError:
        return Next::ReadError;
    }
    if (m_lineBuffer.isEmpty()) return Next::End;
    switch (ParseLine(m_lineBuffer, m_decoder, out)) {
    case LineKind::Entry:
        return Next::Entry;
    case LineKind::Invalid:
        return Next::Skipped;
    case LineKind::Incomplete:
        break;
    }
    return Next::Stopped;
}

// ---- Writer --------------------------------------------------------------------

bool Writer::open(const QString& path) {
    if (!m_file.open(path)) return false;
    m_buffer = HeaderLine();
    m_failed = false;
    return true;
}

bool Writer::add(std::int32_t id, const plat::SYSTEMTIME& date, QStringView category,
                 QStringView remark, std::int32_t amount, QStringView payee,
                 QStringView payMethod) {
    AppendLine(id, date, category, remark, amount, payee, payMethod, m_encoder, &m_buffer);
    return m_buffer.size() < kChunk || flushBuffer();
}

bool Writer::flushBuffer() {
    if (!m_failed && !m_buffer.isEmpty() &&
        !m_file.write(m_buffer.constData(), static_cast<std::uint32_t>(m_buffer.size())))
        m_failed = true;
    m_buffer.clear();
    return !m_failed;
}

bool Writer::commit() {
    if (!flushBuffer() || !m_file.commit()) {
        const plat::DWORD code = plat::GetLastError();
        m_file.abandon();
        plat::SetLastError(code);
        return false;
    }
    return true;
}

} // namespace csv
