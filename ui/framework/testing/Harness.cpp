#include "ui/framework/testing/Harness.h"

#include "ui/framework/Bars.h"
#include "ui/framework/Window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace tb::ui::testing {
namespace {

QString Describe(const QWidget& window) {
    return window.metaObject()->className() + QStringLiteral(" ") + window.windowTitle();
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

void TypeText(const QWidget& window, int id, const QString& text) {
    QWidget* w = Control(window, id);
    if (!w) return;
    if (auto* cb = qobject_cast<QComboBox*>(w); cb && cb->lineEdit()) w = cb->lineEdit();
    w->setFocus(Qt::OtherFocusReason);
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
    if (auto* cb = ControlAs<QComboBox>(window, id)) {
        const int index = cb->findText(text);
        if (index < 0) return ADD_FAILURE() << "no item " << text.toStdString();
        SelectIndex(window, id, index);
    }
}

void PressKey(QWidget& target, int qtKey, Qt::KeyboardModifiers mods) {
    QTest::keyClick(&target, static_cast<Qt::Key>(qtKey), mods);
}

void PressKeyInWindow(QWidget& window, int qtKey, Qt::KeyboardModifiers mods) {
    QWidget* focus = QApplication::focusWidget();
    const bool inside = focus && (focus == &window || window.isAncestorOf(focus));
    PressKey(inside ? *focus : window, qtKey, mods);
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
