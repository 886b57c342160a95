// The two kinds of bar a window can carry: the Pocket PC soft-key bar at the
// bottom (left and right keys of a menu resource, each a command or a pop-up)
// and the command bar with a tool-bar resource at the top.
#pragma once

#include "res/ResourceTypes.h"

#include <QToolBar>
#include <QWidget>
#include <vector>

class QMenu;
class QPushButton;
class QTimer;

namespace tb::ui {

class CommandTarget;

// The keyboard stands in for the handset's two soft keys: F1 is the left one,
// F2 the right one. Each key's button shows its keyboard key where it fits.
class SoftKeyBar : public QWidget {
    Q_OBJECT
public:
    // objectName "softkeys"; the keys are named "softkey0", "softkey1".
    SoftKeyBar(const res::MenuTemplate& menu, CommandTarget& target, QWidget* parent);

    // The shown bar of a top-level window (its own, not one of a window inside
    // another top-level window); null when it has none.
    static SoftKeyBar* of(const QWidget* topLevel);
    // The soft key a virtual key stands for (F1 0, F2 1); -1 for any other key.
    static int keyIndexOf(int virtualKey);

    int menuId() const { return m_menu.id; }
    int keyCount() const { return static_cast<int>(m_keys.size()); }
    QPushButton* key(int index) const;
    // The menu text of a key, without the keyboard key shown beside it.
    QString label(int index) const;
    bool isPopupKey(int index) const;

    // A command key sends its command; a pop-up key opens its menu (after
    // passing every item through the target's update handlers).
    void pressKey(int index);
    // The same from the keyboard: a pop-up opens with its first usable item
    // active, so that the arrows and Enter choose. False for a missing,
    // hidden or disabled key.
    bool pressKeyFromKeyboard(int index);
    // Builds the pop-up of a key with every item updated, without showing it.
    // The actions carry their command as objectName; null for a command key.
    QMenu* preparePopup(int index);
    QMenu* openPopup() const { return m_openMenu; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fillMenu(QMenu* menu, std::span<const res::MenuItem> items);
    void showKeyboardKeys();

    res::MenuTemplate m_menu;
    CommandTarget& m_target;
    std::vector<QPushButton*> m_keys;
    QMenu* m_openMenu = nullptr;
};

class CommandBar : public QToolBar {
    Q_OBJECT
public:
    // objectName "commandbar"; each button's action has its command as objectName.
    CommandBar(const res::ToolBarTemplate& bar, CommandTarget& target, QWidget* parent);
    int toolBarId() const { return m_bar.id; }
    QAction* action(int command) const;
    // Passes every button through the target's update handlers (check marks).
    // Runs after each button's command and, while the bar is shown, whenever
    // the program is idle for a moment, so that keys and menus are reflected.
    void updateButtons();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    res::ToolBarTemplate m_bar;
    CommandTarget& m_target;
    QTimer* m_idle = nullptr;
};

} // namespace tb::ui
