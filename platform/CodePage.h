// UTF-16 to and from the handset's multibyte code page, CP932 (Shift-JIS with
// the NEC and IBM extension rows; 0x8160 is U+FF5E).
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

namespace plat {

// A character CP932 cannot hold (a surrogate pair, say) becomes "?".
QByteArray WideToMultiByte(QStringView text);
// Bytes that do not decode become kReplacementChar, one per undecodable byte;
// decoding goes on with the byte after it.
QString MultiByteToWide(QByteArrayView bytes);

// Converters kept open for many texts, one per file: the same results as the
// functions above without opening the code page for every field.
class MultiByteEncoder {
public:
    MultiByteEncoder();
    ~MultiByteEncoder();
    MultiByteEncoder(const MultiByteEncoder&) = delete;
    MultiByteEncoder& operator=(const MultiByteEncoder&) = delete;
    // Appends the CP932 bytes of text to *out.
    void append(QStringView text, QByteArray* out);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

class MultiByteDecoder {
public:
    MultiByteDecoder();
    ~MultiByteDecoder();
    MultiByteDecoder(const MultiByteDecoder&) = delete;
    MultiByteDecoder& operator=(const MultiByteDecoder&) = delete;
    QString decode(QByteArrayView bytes);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

inline constexpr char16_t kReplacementChar = u'\u30FB'; // "・", CP932-encodable

} // namespace plat
