// UTF-16 to and from the handset's multibyte code page, CP932 (Shift-JIS with
// the NEC and IBM extension rows; 0x8160 is U+FF5E).
#pragma once

#include <QByteArray>
#include <QString>

namespace plat {

// A character CP932 cannot hold (a surrogate pair, say) becomes "?".
QByteArray WideToMultiByte(QStringView text);
// Bytes that do not decode become kReplacementChar, one per undecodable byte;
// decoding goes on with the byte after it.
QString MultiByteToWide(QByteArrayView bytes);

inline constexpr char16_t kReplacementChar = u'\u30FB'; // "・", CP932-encodable

} // namespace plat
