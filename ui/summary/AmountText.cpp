#include "ui/summary/AmountText.h"

#include "ledger/Options.h"

namespace summary {
namespace {

// Fills buf from its end; returns the index of the first character.
int WriteMagnitude(char16_t (&buf)[32], std::uint64_t magnitude, bool comma) {
    int pos = 32;
    int digits = 0;
    do {
        if (comma && digits > 0 && digits % 3 == 0) buf[--pos] = u',';
        buf[--pos] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
        ++digits;
    } while (magnitude != 0);
    return pos;
}

QString SignedNumber(std::int64_t value) {
    return QString::number(value);
}

} // namespace

QString FormatAmount(std::int64_t amount, bool comma) {
    // Negating in unsigned arithmetic keeps the most negative value defined.
    const std::uint64_t magnitude = amount < 0
                                        ? std::uint64_t{0} - static_cast<std::uint64_t>(amount)
                                        : static_cast<std::uint64_t>(amount);
    char16_t buf[32];
    const int pos = WriteMagnitude(buf, magnitude, comma);
    return QString(reinterpret_cast<const QChar*>(buf + pos), 32 - pos);
}

QString DayText(const plat::SYSTEMTIME& date) {
    char16_t buf[8] = {};
    const int parts[3] = {date.wYear % 100, date.wMonth % 100, date.wDay % 100};
    for (int i = 0; i < 3; ++i) {
        buf[i * 3] = static_cast<char16_t>(u'0' + parts[i] / 10);
        buf[i * 3 + 1] = static_cast<char16_t>(u'0' + parts[i] % 10);
        if (i < 2) buf[i * 3 + 2] = u'/';
    }
    return QString(reinterpret_cast<const QChar*>(buf), 8);
}

TotalTexts MakeTotalTexts(std::int64_t expenseTotal, std::int64_t incomeTotal, std::uint32_t flags,
                          bool showIncome, std::int64_t ledgerBalance) {
    const bool comma = flags & OPT_COMMA;
    const auto amount = [comma](std::int64_t v) {
        return comma ? FormatAmount(v, true) : SignedNumber(v);
    };
    const std::int64_t balance =
        (flags & OPT_BALANCE_ALL_DATA) ? ledgerBalance : incomeTotal - expenseTotal;
    TotalTexts t;
    t.expense = QStringLiteral("支出合計：%1円").arg(amount(expenseTotal));
    t.income = QStringLiteral("収入合計：%1円").arg(amount(incomeTotal));
    // Without commas the number carries its own minus sign.
    const QString sign = comma && balance < 0 ? QStringLiteral("-") : QString();
    t.balance = QStringLiteral("残高：%1%2円").arg(sign, amount(balance));
    if (flags & OPT_SINGLE_SIDE) {
        t.expenseVisible = !showIncome;
        t.incomeVisible = showIncome;
    }
    t.balanceVisible = !(flags & OPT_HIDE_BALANCE);
    return t;
}

} // namespace summary
