#include "ui/framework/testing/Harness.h"

#include "ui/framework/Bars.h"
#include "ui/framework/Framework.h"
#include "ui/framework/Window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <optional>

namespace tb::ui::testing {
namespace {

QString Describe(const QWidget& window) {
    return window.metaObject()->className() + QStringLiteral(" ") + window.windowTitle();
}

QString Plain(const QString& text) {
    QString plain = text;
    plain.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return plain;
}

// Whether `text` in one line, with `margin` device pixels on each side, fits `w`.
bool FitsOneLine(const QWidget& w, const QString& text, int margin) {
    const QFontMetrics fm = w.fontMetrics();
    return fm.horizontalAdvance(Plain(text)) + 2 * margin <= w.width() && fm.height() <= w.height();
}

bool LabelFits(const QLabel& l) {
    const QRect box = l.contentsRect();
    if (!l.wordWrap())
        return l.fontMetrics().horizontalAdvance(Plain(l.text())) <= box.width() &&
               l.fontMetrics().height() <= box.height();
    const QRect lines =
        l.fontMetrics().boundingRect(QRect(0, 0, box.width(), 1 << 20), Qt::TextWordWrap, l.text());
    return lines.width() <= box.width() && lines.height() <= box.height();
}

// A button or check box whose text wraps: the lines it takes at the width of
// its text area (the margins the control keeps as a property) fit that area.
bool WrappedFits(const QAbstractButton& b) {
    const QRect m = b.property("tbWrapMargins").toRect();
    const QRect area = b.rect().adjusted(m.left(), m.top(), m.right(), m.bottom());
    const QRect lines = b.fontMetrics().boundingRect(QRect(0, 0, area.width(), 1 << 20),
                                                     Qt::TextWordWrap, b.text());
    return lines.width() <= area.width() && lines.height() <= area.height();
}

// Nullopt: the control shows no text of its own to judge.
std::optional<bool> Fits(const QWidget& w) {
    if (w.property("tbWrapMargins").isValid())
        return WrappedFits(static_cast<const QAbstractButton&>(w));
    if (auto* l = qobject_cast<const QLabel*>(&w))
        return l->text().isEmpty() ? std::nullopt : std::optional(LabelFits(*l));
    if (qobject_cast<const QCheckBox*>(&w) || qobject_cast<const QRadioButton*>(&w)) {
        const auto& b = static_cast<const QAbstractButton&>(w);
        if (b.text().isEmpty()) return std::nullopt;
        return b.sizeHint().width() <= b.width() && b.fontMetrics().height() <= b.height();
    }
    if (auto* b = qobject_cast<const QPushButton*>(&w)) {
        if (b->text().isEmpty()) return std::nullopt;
        const int icon = b->icon().isNull() ? 0 : b->iconSize().width() + Lp(2);
        return FitsOneLine(*b, b->text(), Lp(2) + icon / 2);
    }
    if (auto* g = qobject_cast<const QGroupBox*>(&w))
        return g->title().isEmpty() ? std::nullopt
                                    : std::optional(FitsOneLine(*g, g->title(), Lp(6)));
    if (w.property("tbButtonOnly").toBool()) return std::nullopt; // shows no date
    if (qobject_cast<const QCalendarWidget*>(&w) || qobject_cast<const QDateTimeEdit*>(&w)) {
        const QSize need = w.minimumSizeHint();
        return need.width() <= w.width() && need.height() <= w.height();
    }
    return std::nullopt;
}

} // namespace

bool ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

QWidget* Control(const QWidget& window, int id) {
    auto* w = window.findChild<QWidget*>(QString::number(id));
    if (!w) ADD_FAILURE() << "no control " << id << " in " << Describe(window).toStdString();
    return w;
}

void Click(const QWidget& window, int id) {
    auto* b = ControlAs<QAbstractButton>(window, id);
    if (!b) return ADD_FAILURE() << "control " << id << " is not a button";
    if (!b->isEnabled() || b->isHidden()) return; // a user cannot press it either
    b->click();
}

static void TypeInto(QWidget* w, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(w, c.toLatin1());
            continue;
        }
        // Kana and kanji come from an input method: a key event with text only.
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }
}

void TypeText(const QWidget& window, int id, const QString& text) {
    QWidget* w = Control(window, id);
    if (!w) return;
    if (auto* cb = qobject_cast<QComboBox*>(w); cb && cb->lineEdit()) w = cb->lineEdit();
    w->setFocus(Qt::OtherFocusReason);
    TypeInto(w, text);
}

void TypeKeys(QWidget& window, const QString& text) {
    QWidget* focus = QApplication::focusWidget();
    TypeInto(focus && window.isAncestorOf(focus) ? focus : &window, text);
}

void ClearText(const QWidget& window, int id) {
    QWidget* w = Control(window, id);
    if (auto* cb = qobject_cast<QComboBox*>(w); cb && cb->lineEdit()) w = cb->lineEdit();
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
    }
}

void SelectIndex(const QWidget& window, int id, int index) {
    QWidget* w = Control(window, id);
    if (auto* cb = qobject_cast<QComboBox*>(w)) {
        cb->setCurrentIndex(index);
        emit cb->activated(index); // what a user's choice in the drop-down sends
    } else if (auto* lw = qobject_cast<QListWidget*>(w)) {
        lw->setCurrentRow(index);
    } else if (auto* t = qobject_cast<QTreeView*>(w)) {
        t->setCurrentIndex(t->model() ? t->model()->index(index, 0) : QModelIndex());
    } else if (w) {
        ADD_FAILURE() << "control " << id << " has no items";
    }
}

void SelectText(const QWidget& window, int id, const QString& text) {
    const int index = static_cast<int>(Items(window, id).indexOf(text));
    if (index < 0) return ADD_FAILURE() << "no item " << text.toStdString();
    SelectIndex(window, id, index);
}

void PressKey(QWidget& target, int qtKey, Qt::KeyboardModifiers mods) {
    QTest::keyClick(&target, static_cast<Qt::Key>(qtKey), mods);
}

void PressKeyInWindow(QWidget& window, int qtKey, Qt::KeyboardModifiers mods) {
    // An open pop-up menu has the keyboard, as it has on the screen.
    if (QWidget* popup = QApplication::activePopupWidget()) return PressKey(*popup, qtKey, mods);
    QWidget* focus = QApplication::focusWidget();
    const bool inside = focus && (focus == &window || window.isAncestorOf(focus));
    PressKey(inside ? *focus : window, qtKey, mods);
}

void PressKeys(QWidget& window, std::initializer_list<int> qtKeys) {
    for (int key : qtKeys)
        PressKeyInWindow(window, key);
}

void PressKeyOn(QWidget& window, const QWidget* target, int qtKey, Qt::KeyboardModifiers mods) {
    for (int i = 0; i < 20 && QApplication::focusWidget() != target; ++i)
        PressKeyInWindow(window, Qt::Key_Tab);
    PressKeyInWindow(window, qtKey, mods);
}

void ClickListRow(const QWidget& window, int id, int row, int column) {
    auto* t = ControlAs<QTreeView>(window, id);
    if (!t) return;
    const QModelIndex index = t->model() ? t->model()->index(row, 0) : QModelIndex();
    if (!index.isValid()) return ADD_FAILURE() << "no row " << row << " in list " << id;
    t->scrollTo(index);
    const QRect cell = t->visualRect(index);
    const int x = t->header()->sectionViewportPosition(column) + 2;
    QTest::mouseClick(t->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(x, cell.center().y()));
}

void PressSoftKey(Window& window, int index) {
    SoftKeyBar* bar = window.softKeyBar();
    if (!bar || !bar->key(index)) return ADD_FAILURE() << "no soft key " << index;
    if (bar->isPopupKey(index)) return ADD_FAILURE() << "soft key " << index << " is a pop-up";
    bar->key(index)->click();
}

void ChooseMenuItem(Window& window, int command) {
    SoftKeyBar* bar = window.softKeyBar();
    if (!bar) return ADD_FAILURE() << "no soft-key bar";
    const QString name = QString::number(command);
    for (int i = 0; i < bar->keyCount(); ++i) {
        QMenu* menu = bar->preparePopup(i);
        if (!menu) continue;
        QAction* action = menu->findChild<QAction*>(name);
        if (!action) continue;
        if (!action->isEnabled()) return ADD_FAILURE() << "menu item " << command << " disabled";
        action->trigger();
        return;
    }
    ADD_FAILURE() << "no menu item " << command << " on the soft-key bar";
}

QString Text(const QWidget& window, int id) {
    const QWidget* w = Control(window, id);
    return w ? ControlText(w) : QString();
}

bool IsShown(const QWidget& window, int id) {
    const QWidget* w = Control(window, id);
    return w && !w->isHidden();
}

bool IsEnabled(const QWidget& window, int id) {
    const QWidget* w = Control(window, id);
    return w && w->isEnabled();
}

bool IsChecked(const QWidget& window, int id) {
    const auto* b = ControlAs<QAbstractButton>(window, id);
    return b && b->isChecked();
}

int CurrentIndex(const QWidget& window, int id) {
    const QWidget* w = Control(window, id);
    if (auto* cb = qobject_cast<const QComboBox*>(w)) return cb->currentIndex();
    if (auto* lw = qobject_cast<const QListWidget*>(w)) return lw->currentRow();
    if (auto* t = qobject_cast<const QTreeView*>(w))
        return t->currentIndex().isValid() ? t->currentIndex().row() : -1;
    return -1;
}

QStringList Items(const QWidget& window, int id) {
    QStringList items;
    const QWidget* w = Control(window, id);
    if (auto* cb = qobject_cast<const QComboBox*>(w))
        for (int i = 0; i < cb->count(); ++i)
            items << cb->itemText(i);
    if (auto* lw = qobject_cast<const QListWidget*>(w))
        for (int i = 0; i < lw->count(); ++i)
            items << lw->item(i)->text();
    return items;
}

QStringList ClippedTexts(const Window& window) {
    QStringList clipped;
    for (const QWidget* w : window.form()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->isHidden()) continue;
        if (const std::optional<bool> fits = Fits(*w); fits && !*fits)
            clipped << w->objectName() + QStringLiteral(": ") + ControlText(w);
    }
    if (const SoftKeyBar* bar = window.softKeyBar()) {
        for (int i = 0; i < bar->keyCount(); ++i)
            if (!FitsOneLine(*bar->key(i), bar->label(i), Lp(2)))
                clipped << QStringLiteral("softkey%1: ").arg(i) + bar->label(i);
    }
    return clipped;
}

static void AppendMenuLines(const QMenu& menu, const QString& indent, QStringList& lines) {
    for (const QAction* a : menu.actions()) {
        if (a->isSeparator()) {
            lines << indent + QStringLiteral("-");
            continue;
        }
        QString line = indent + a->text();
        if (a->menu()) {
            lines << line + QStringLiteral(">");
            AppendMenuLines(*a->menu(), indent + QStringLiteral("  "), lines);
            continue;
        }
        line += QStringLiteral("=") + a->objectName();
        if (a->isChecked()) line += QStringLiteral(" [x]");
        if (!a->isEnabled()) line += QStringLiteral(" (disabled)");
        lines << line;
    }
}

QStringList MenuLines(const QMenu& menu) {
    QStringList lines;
    AppendMenuLines(menu, QString(), lines);
    return lines;
}

ModalDriver::ModalDriver() {
    m_previous = Dialog::SetModalHook([this](Dialog& dialog) {
        if (m_actions.empty()) {
            ++m_unexpected;
            ADD_FAILURE() << "unexpected modal run of " << Describe(dialog).toStdString();
            dialog.EndDialog(IDCANCEL);
            return;
        }
        auto action = std::move(m_actions.front());
        m_actions.pop_front();
        action(dialog);
    });
}

ModalDriver::~ModalDriver() {
    Dialog::SetModalHook(std::move(m_previous));
}

ModalDriver& ModalDriver::then(std::function<void(Dialog&)> action) {
    m_actions.push_back(std::move(action));
    return *this;
}

} // namespace tb::ui::testing
