// UTF-16 <-> CP932 through the C library's converter, with the handset's
// behaviour for what does not convert: "?" one way, "・" the other.
#include "CodePage.h"

#include <cerrno>
#include <iconv.h>

namespace plat {
namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(::iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) ::iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; returns the errno that stopped it (0 at the end).
    int convert(const char** in, std::size_t* inLeft, QByteArray* out) {
        char buffer[1024];
        while (*inLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = ::iconv(m_cd, const_cast<char**>(in), inLeft, &dst, &dstLeft);
            const int err = rc == static_cast<std::size_t>(-1) ? errno : 0;
            out->append(buffer, static_cast<qsizetype>(dst - buffer));
            if (err != 0 && err != E2BIG) {
                ::iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
                return err;
            }
        }
        return 0;
    }

private:
    iconv_t m_cd;
};

void AppendUtf16(const QByteArray& utf16, QString* out) {
    const auto units = utf16.size() / 2;
    const auto* data = reinterpret_cast<const char16_t*>(utf16.constData());
    out->append(QStringView(data, units));
}

bool IsAscii(QStringView text) {
    for (QChar c : text)
        if (c.unicode() >= 0x80) return false;
    return true;
}

bool IsAscii(QByteArrayView bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

} // namespace

struct MultiByteEncoder::Impl {
    Converter cd{"CP932", "UTF-16LE"};
};

MultiByteEncoder::MultiByteEncoder() : d(std::make_unique<Impl>()) {}
MultiByteEncoder::~MultiByteEncoder() = default;

void MultiByteEncoder::append(QStringView text, QByteArray* out) {
    // ASCII is the same in CP932: most CSV bytes need no converter at all.
    if (IsAscii(text)) {
        for (QChar c : text)
            out->append(static_cast<char>(c.unicode()));
        return;
    }
    if (!d->cd.valid()) {
        out->append(QByteArray(text.size(), '?'));
        return;
    }
    const char* in = reinterpret_cast<const char*>(text.utf16());
    std::size_t left = static_cast<std::size_t>(text.size()) * 2;
    while (left > 0) {
        if (d->cd.convert(&in, &left, out) == 0) break;
        // One "?" per character: a surrogate pair is one character.
        const auto* unit = reinterpret_cast<const char16_t*>(in);
        const bool pair =
            left >= 4 && QChar::isHighSurrogate(unit[0]) && QChar::isLowSurrogate(unit[1]);
        const std::size_t skip = pair ? 4 : 2;
        out->append('?');
        in += std::min(skip, left);
        left -= std::min(skip, left);
    }
}

struct MultiByteDecoder::Impl {
    Converter cd{"UTF-16LE", "CP932"};
    QByteArray utf16;
};

MultiByteDecoder::MultiByteDecoder() : d(std::make_unique<Impl>()) {}
MultiByteDecoder::~MultiByteDecoder() = default;

QString MultiByteDecoder::decode(QByteArrayView bytes) {
    if (IsAscii(bytes)) return QString::fromLatin1(bytes.data(), bytes.size());
    if (!d->cd.valid()) return QString(bytes.size(), QChar(kReplacementChar));
    QString out;
    const char* in = bytes.data();
    std::size_t left = static_cast<std::size_t>(bytes.size());
    QByteArray& utf16 = d->utf16;
    utf16.clear();
    while (left > 0) {
        if (d->cd.convert(&in, &left, &utf16) == 0) break;
        // Only the byte that stopped the decoder is lost; what follows it is
        // read afresh, so a stray lead byte never swallows a letter after it.
        AppendUtf16(utf16, &out);
        utf16.clear();
        out.append(QChar(kReplacementChar));
        ++in;
        --left;
    }
    AppendUtf16(utf16, &out);
    return out;
}

QByteArray WideToMultiByte(QStringView text) {
    QByteArray out;
    MultiByteEncoder().append(text, &out);
    return out;
}

QString MultiByteToWide(QByteArrayView bytes) {
    return MultiByteDecoder().decode(bytes);
}

} // namespace plat
