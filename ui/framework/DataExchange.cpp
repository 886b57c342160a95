#include "ui/framework/DataExchange.h"

#include "ledger/InOutRecord.h"
#include "platform/MessageBox.h"
#include "ui/framework/Window.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QValidator>

namespace tb::ui {

namespace validation {
QString IntegerRequired() {
    return QStringLiteral("整数を入力してください。");
}
QString IntegerRange(qint64 min, qint64 max) {
    return QStringLiteral("%1 から %2 までの整数を入力してください。").arg(min).arg(max);
}
QString TextTooLong(int maxChars) {
    return QStringLiteral("%1 文字以内で入力してください。").arg(maxChars);
}
QString Caption() {
    return QStringLiteral("注意！");
}
} // namespace validation

namespace {

// Time values count seconds of the local calendar, so they map to Qt's
// date-times without any zone arithmetic.
QDateTime ToDateTime(plat::TimeValue t) {
    return QDateTime::fromSecsSinceEpoch(t, Qt::UTC);
}
plat::TimeValue FromDateTime(const QDateTime& dt) {
    return QDateTime(dt.date(), dt.time(), Qt::UTC).toSecsSinceEpoch();
}

// The text after the cursor is what was there before the insertion; what
// exceeds the limit is cut from the inserted text before it.
class LengthValidator : public QValidator {
public:
    LengthValidator(int maxUnits, QObject* parent) : QValidator(parent), m_max(maxUnits) {}
    int max() const { return m_max; }
    State validate(QString& input, int& pos) const override {
        if (input.size() <= m_max) return Acceptable;
        pos = std::clamp<int>(pos, 0, static_cast<int>(input.size()));
        const QString tail = input.mid(pos);
        const QString head = CutText(QStringView(input).left(pos), m_max - tail.size());
        input = head + tail;
        pos = static_cast<int>(head.size());
        return Acceptable;
    }

private:
    int m_max;
};

} // namespace

void LimitTextLength(QWidget* w, int maxUnits) {
    if (maxUnits <= 0) return;
    auto* e = qobject_cast<QLineEdit*>(w);
    if (auto* cb = qobject_cast<QComboBox*>(w)) e = cb->lineEdit();
    if (!e) return;
    const QValidator* old = e->validator();
    if (auto* same = dynamic_cast<const LengthValidator*>(old); same && same->max() == maxUnits)
        return;
    e->setValidator(new LengthValidator(maxUnits, e));
    if (old && old->parent() == e) delete old;
}

DataExchange::DataExchange(Window& window, bool saveAndValidate)
    : m_window(window), m_save(saveAndValidate) {}

QWidget* DataExchange::control(int id) {
    if (failed()) return nullptr; // the exchange stopped at an invalid control
    QWidget* w = m_window.GetDlgItem(id);
    Q_ASSERT_X(w, "DataExchange", "no control with this ID");
    return w;
}

void DataExchange::fail(int id, const QString& message) {
    m_failedId = id;
    plat::MessageBox(message, validation::Caption(), plat::MB_OK | plat::MB_ICONEXCLAMATION);
}

void DataExchange::Int(int id, int& value) {
    Int(id, value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
}

void DataExchange::Int(int id, int& value, int min, int max) {
    QWidget* w = control(id);
    if (!w) return;
    if (!m_save) {
        SetControlText(w, QString::number(value));
        return;
    }
    bool ok = false;
    const qlonglong parsed = ControlText(w).trimmed().toLongLong(&ok);
    const bool fullRange =
        min == std::numeric_limits<int>::min() && max == std::numeric_limits<int>::max();
    const bool inRange = ok && parsed >= min && parsed <= max;
    if (!inRange && fullRange) return fail(id, validation::IntegerRequired());
    if (!inRange) return fail(id, validation::IntegerRange(min, max));
    value = static_cast<int>(parsed);
}

void DataExchange::Text(int id, QString& value, int maxChars) {
    QWidget* w = control(id);
    if (!w) return;
    if (!m_save) {
        LimitTextLength(w, maxChars);
        SetControlText(w, value);
        return;
    }
    const QString text = ControlText(w);
    if (maxChars > 0 && text.size() > maxChars) return fail(id, validation::TextTooLong(maxChars));
    value = text;
}

void DataExchange::Check(int id, bool& value) {
    auto* b = qobject_cast<QAbstractButton*>(control(id));
    if (!b) return;
    if (m_save) {
        value = b->isChecked();
    } else {
        const QSignalBlocker block(b);
        b->setChecked(value);
    }
}

void DataExchange::Check(int id, int& value) {
    bool on = value != 0;
    Check(id, on);
    if (m_save && !failed()) value = on ? 1 : 0;
}

void DataExchange::Radio(int firstId, int& index) {
    if (!control(firstId)) return;
    const std::vector<int> group = m_window.RadioGroup(firstId);
    Q_ASSERT_X(!group.empty(), "DataExchange", "no radio group starts with this ID");
    if (m_save) {
        index = -1;
        for (size_t i = 0; i < group.size(); ++i)
            if (m_window.IsDlgButtonChecked(group[i])) index = static_cast<int>(i);
        return;
    }
    QButtonGroup* buttons = nullptr;
    if (auto* first = m_window.item<QAbstractButton>(firstId)) buttons = first->group();
    const bool exclusive = buttons && buttons->exclusive();
    if (buttons) buttons->setExclusive(false); // lets -1 clear every button
    for (size_t i = 0; i < group.size(); ++i)
        m_window.CheckDlgButton(group[i], static_cast<int>(i) == index);
    if (buttons) buttons->setExclusive(exclusive);
}

void DataExchange::ComboIndex(int id, int& index) {
    QWidget* w = control(id);
    if (auto* cb = qobject_cast<QComboBox*>(w)) {
        if (m_save) {
            index = cb->currentIndex();
        } else {
            const QSignalBlocker block(cb);
            cb->setCurrentIndex(index);
        }
    } else if (auto* lw = qobject_cast<QListWidget*>(w)) {
        if (m_save) {
            index = lw->currentRow();
        } else {
            const QSignalBlocker block(lw);
            lw->setCurrentRow(index);
        }
    }
}

void DataExchange::ComboText(int id, QString& value, int maxChars) {
    auto* cb = qobject_cast<QComboBox*>(control(id));
    if (!cb) return;
    if (!m_save) {
        LimitTextLength(cb, maxChars);
        SetControlText(cb, value);
        return;
    }
    const QString text = cb->currentText();
    if (maxChars > 0 && text.size() > maxChars) return fail(id, validation::TextTooLong(maxChars));
    value = text;
}

void DataExchange::Date(int id, plat::TimeValue& value) {
    QWidget* w = control(id);
    if (auto* d = qobject_cast<QDateTimeEdit*>(w)) {
        if (m_save) {
            value = FromDateTime(d->dateTime());
        } else {
            const QSignalBlocker block(d);
            d->setDateTime(ToDateTime(value));
        }
    } else if (auto* cal = qobject_cast<QCalendarWidget*>(w)) {
        if (m_save) {
            const QDateTime old = ToDateTime(value);
            value = FromDateTime(QDateTime(cal->selectedDate(), old.time(), Qt::UTC));
        } else {
            const QSignalBlocker block(cal);
            cal->setSelectedDate(ToDateTime(value).date());
        }
    }
}

} // namespace tb::ui
