#include "InOutRecord.h"

#include <algorithm>

QString CutText(QStringView text, qsizetype maxUnits) {
    if (text.size() <= maxUnits) return text.toString();
    qsizetype n = std::max<qsizetype>(maxUnits, 0);
    if (n > 0 && text[n - 1].isHighSurrogate()) --n;
    return text.left(n).toString();
}

QString FieldText(const char16_t (&field)[kTextUnits]) {
    const auto end = std::find(std::begin(field), std::end(field), u'\0');
    return QString(reinterpret_cast<const QChar*>(field), static_cast<qsizetype>(end - field));
}

void SetFieldText(char16_t (&field)[kTextUnits], QStringView text) {
    std::fill(std::begin(field), std::end(field), u'\0');
    const QString cut = CutText(text);
    std::copy_n(cut.utf16(), cut.size(), field);
}
