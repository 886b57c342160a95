#include "InOutRecord.h"

#include <algorithm>

QString FieldText(const char16_t (&field)[kTextUnits]) {
    const auto end = std::find(std::begin(field), std::end(field), u'\0');
    return QString(reinterpret_cast<const QChar*>(field), static_cast<qsizetype>(end - field));
}

void SetFieldText(char16_t (&field)[kTextUnits], QStringView text) {
    std::fill(std::begin(field), std::end(field), u'\0');
    const qsizetype n = std::min<qsizetype>(text.size(), kMaxTextLength);
    std::copy_n(text.utf16(), n, field);
}
