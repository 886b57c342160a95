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

} // namespace

QByteArray WideToMultiByte(QStringView text) {
    QByteArray out;
    Converter cd("CP932", "UTF-16LE");
    if (!cd.valid()) return QByteArray(text.size(), '?');
    const char* in = reinterpret_cast<const char*>(text.utf16());
    std::size_t left = static_cast<std::size_t>(text.size()) * 2;
    while (left > 0) {
        if (cd.convert(&in, &left, &out) == 0) break;
        // One "?" per character: a surrogate pair is one character.
        const auto* unit = reinterpret_cast<const char16_t*>(in);
        const bool pair =
            left >= 4 && QChar::isHighSurrogate(unit[0]) && QChar::isLowSurrogate(unit[1]);
        const std::size_t skip = pair ? 4 : 2;
        out.append('?');
        in += std::min(skip, left);
        left -= std::min(skip, left);
    }
    return out;
}

QString MultiByteToWide(QByteArrayView bytes) {
    QString out;
    Converter cd("UTF-16LE", "CP932");
    const char* in = bytes.data();
    std::size_t left = static_cast<std::size_t>(bytes.size());
    if (!cd.valid()) return QString(bytes.size(), QChar(kReplacementChar));
    QByteArray utf16;
    while (left > 0) {
        if (cd.convert(&in, &left, &utf16) == 0) break;
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

} // namespace plat
