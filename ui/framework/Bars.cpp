#include "ui/framework/Bars.h"

#include "ui/framework/CommandTarget.h"
#include "ui/framework/Framework.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>

namespace tb::ui {

SoftKeyBar::SoftKeyBar(const res::MenuTemplate& menu, CommandTarget& target, QWidget* parent)
    : QWidget(parent), m_menu(menu), m_target(target) {
    setObjectName(QStringLiteral("softkeys"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(Lp(2), Lp(2), Lp(2), Lp(2));
    layout->setSpacing(Lp(4));
    for (int i = 0; i < static_cast<int>(menu.items.size()); ++i) {
        const res::MenuItem& item = menu.items[i];
        auto* key = new QPushButton(QString::fromUtf16(item.text), this);
        key->setObjectName(QStringLiteral("softkey%1").arg(i));
        key->setAutoDefault(false);
        key->setFocusPolicy(Qt::NoFocus); // the soft keys never take the focus from a field
        // Equal halves whatever the texts, so a text never widens the window.
        key->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        connect(key, &QPushButton::clicked, this, [this, i] { pressKey(i); });
        layout->addWidget(key, 1);
        m_keys.push_back(key);
    }
}

SoftKeyBar* SoftKeyBar::of(const QWidget* topLevel) {
    if (!topLevel) return nullptr;
    for (SoftKeyBar* bar : topLevel->findChildren<SoftKeyBar*>())
        if (bar->window() == topLevel && bar->isVisibleTo(topLevel)) return bar;
    return nullptr;
}

int SoftKeyBar::keyIndexOf(int virtualKey) {
    if (virtualKey == VK_F1) return 0;
    if (virtualKey == VK_F2) return 1;
    return -1;
}

QPushButton* SoftKeyBar::key(int index) const {
    return index >= 0 && index < keyCount() ? m_keys[index] : nullptr;
}

QString SoftKeyBar::label(int index) const {
    return key(index) ? QString::fromUtf16(m_menu.items[index].text) : QString();
}

// "キャンセル (F1)" when the button is wide enough for it, else the text alone.
void SoftKeyBar::showKeyboardKeys() {
    for (int i = 0; i < keyCount(); ++i) {
        QPushButton* b = m_keys[i];
        QString text = label(i);
        if (i < 2) {
            const QString marked = text + QStringLiteral(" (F%1)").arg(i + 1);
            QStyleOptionButton option;
            option.initFrom(b);
            option.text = marked;
            const QSize textSize = b->fontMetrics().size(Qt::TextShowMnemonic, marked);
            const QSize need =
                b->style()->sizeFromContents(QStyle::CT_PushButton, &option, textSize, b);
            if (need.width() <= b->width()) text = marked;
        }
        b->setText(text);
    }
}

void SoftKeyBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    showKeyboardKeys();
}

bool SoftKeyBar::pressKeyFromKeyboard(int index) {
    QPushButton* b = key(index);
    if (!b || !b->isVisibleTo(this) || !b->isEnabled()) return false;
    pressKey(index);
    if (QMenu* menu = m_openMenu; menu && isPopupKey(index)) {
        for (QAction* a : menu->actions()) {
            if (!a->isSeparator() && a->isEnabled()) {
                menu->setActiveAction(a);
                break;
            }
        }
    }
    return true;
}

bool SoftKeyBar::isPopupKey(int index) const {
    return index >= 0 && index < keyCount() && m_menu.items[index].isPopup();
}

void SoftKeyBar::pressKey(int index) {
    if (index < 0 || index >= keyCount()) return;
    if (!isPopupKey(index)) {
        m_target.SendCommand(m_menu.items[index].command);
        return;
    }
    QMenu* menu = preparePopup(index);
    const QPoint below = m_keys[index]->mapToGlobal(QPoint(0, 0));
    menu->popup(below - QPoint(0, menu->sizeHint().height()));
}

QMenu* SoftKeyBar::preparePopup(int index) {
    if (!isPopupKey(index)) return nullptr;
    delete m_openMenu;
    m_openMenu = new QMenu(this);
    m_openMenu->setObjectName(QStringLiteral("softkeymenu%1").arg(index));
    fillMenu(m_openMenu, m_menu.items[index].popup);
    return m_openMenu;
}

// Items are updated as they are added; a sub-menu by the ID of its first item.
void SoftKeyBar::fillMenu(QMenu* menu, std::span<const res::MenuItem> items) {
    for (const res::MenuItem& item : items) {
        const QString text = QString::fromUtf16(item.text);
        if (item.separator) {
            menu->addSeparator();
        } else if (item.isPopup()) {
            QMenu* sub = menu->addMenu(text);
            if (const res::MenuItem& first = item.popup.front(); !first.isPopup()) {
                CmdUI ui(first.command);
                m_target.UpdateCmdUI(ui);
                sub->setEnabled(ui.enabled());
            }
            fillMenu(sub, item.popup);
        } else {
            CmdUI ui(item.command);
            m_target.UpdateCmdUI(ui);
            QAction* action = menu->addAction(text);
            action->setObjectName(QString::number(item.command));
            action->setData(item.command);
            action->setCheckable(ui.checked());
            action->setChecked(ui.checked());
            action->setEnabled(ui.enabled());
            const int command = item.command;
            connect(action, &QAction::triggered, this,
                    [this, command] { m_target.SendCommand(command); });
        }
    }
}

CommandBar::CommandBar(const res::ToolBarTemplate& bar, CommandTarget& target, QWidget* parent)
    : QToolBar(parent), m_bar(bar), m_target(target) {
    setObjectName(QStringLiteral("commandbar"));
    m_idle = new QTimer(this);
    m_idle->setInterval(150);
    connect(m_idle, &QTimer::timeout, this, &CommandBar::updateButtons);
    const int cell = bar.imageSize;
    setIconSize(QSize(Lp(cell), Lp(cell)));
    const QPixmap strip = ResourcePixmap(bar.bitmap);
    for (const res::ToolButton& b : bar.buttons) {
        if (b.command == 0) {
            addSeparator();
            continue;
        }
        QAction* action = addAction(QString::fromUtf16(b.tip));
        action->setObjectName(QString::number(b.command));
        if (!strip.isNull() && b.image >= 0)
            action->setIcon(QIcon(strip.copy(Lp(cell) * b.image, 0, Lp(cell), Lp(cell))));
        const int command = b.command;
        connect(action, &QAction::triggered, this, [this, command] {
            m_target.SendCommand(command);
            updateButtons();
        });
    }
}

void CommandBar::showEvent(QShowEvent* event) {
    QToolBar::showEvent(event);
    updateButtons();
    m_idle->start();
}

void CommandBar::hideEvent(QHideEvent* event) {
    m_idle->stop();
    QToolBar::hideEvent(event);
}

QAction* CommandBar::action(int command) const {
    return findChild<QAction*>(QString::number(command), Qt::FindDirectChildrenOnly);
}

void CommandBar::updateButtons() {
    for (QAction* a : actions()) {
        if (a->isSeparator()) continue;
        CmdUI ui(a->objectName().toInt());
        m_target.UpdateCmdUI(ui);
        a->setCheckable(ui.checked());
        a->setChecked(ui.checked());
        a->setEnabled(ui.enabled());
    }
}

} // namespace tb::ui
