// Driving windows in widget tests: find controls by ID, click, type key by key,
// select, press keys, read texts and states, and act inside the next modal run.
//
//   tb::ui::testing::ModalDriver driver;
//   driver.then([](tb::ui::Dialog& dlg) { Click(dlg, 1008); Click(dlg, IDOK); });
//   EXPECT_EQ(amountDlg.DoModal(), IDOK);
#pragma once

#include "ui/framework/Dialog.h"

#include <QString>
#include <deque>
#include <functional>
#include <initializer_list>

class QMenu;

namespace tb::ui::testing {

// Shows the window and waits until it is the active window; false on timeout.
bool ShowActive(QWidget& window);

// Lookup; each fails the current test (and returns null) when the ID is missing.
QWidget* Control(const QWidget& window, int id);
template <class W> W* ControlAs(const QWidget& window, int id) {
    return qobject_cast<W*>(Control(window, id));
}

// Actions, as a user does them.
void Click(const QWidget& window, int id);                         // button, check box, radio
void TypeText(const QWidget& window, int id, const QString& text); // focus + key by key
void ClearText(const QWidget& window, int id);
void SelectIndex(const QWidget& window, int id, int index); // combo or list box, as the user
void SelectText(const QWidget& window, int id, const QString& text); // the same, by its text
void PressKey(QWidget& target, int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier);
// Presses a key on the open pop-up menu, else on whichever widget has the focus
// in `window` (the window itself without one).
void PressKeyInWindow(QWidget& window, int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier);
// Keys alone: presses each key in turn, and types text key by key, on
// whichever control has the focus (as PressKeyInWindow does).
void PressKeys(QWidget& window, std::initializer_list<int> qtKeys);
// Keys alone: Tabs until `target` has the focus (at most 20 times), then presses `qtKey`.
void PressKeyOn(QWidget& window, const QWidget* target, int qtKey,
                Qt::KeyboardModifiers mods = Qt::NoModifier);
void TypeKeys(QWidget& window, const QString& text);
// List view: taps row `row` (column `column`).
void ClickListRow(const QWidget& window, int id, int row, int column = 0);

// Soft keys: presses key `index` of the window's soft-key bar; chooses the item
// with `command` from the bar's pop-ups as a user does (fails when the item is
// missing or disabled).
void PressSoftKey(Window& window, int index);
void ChooseMenuItem(Window& window, int command);

// State.
QString Text(const QWidget& window, int id); // label, edit, button, combo field, check box
bool IsShown(const QWidget& window, int id); // not hidden (in a window that may be unshown)
bool IsEnabled(const QWidget& window, int id);
bool IsChecked(const QWidget& window, int id);
int CurrentIndex(const QWidget& window, int id);
QStringList Items(const QWidget& window, int id); // combo or list box items
// The items of a menu as lines: "text=command", "-" for a separator,
// "text>" followed by the sub-items indented with two spaces; "[x]" marks checked,
// "(disabled)" disabled items.
QStringList MenuLines(const QMenu& menu);

// The texts of the window's shown controls (and soft keys) that their control
// cannot show whole at its present size, one "id: text" line each: a one-line
// text by its width and height, a wrapped one by the height its lines take at
// the control's width, a calendar or date picker by its smallest usable size.
// Controls a mode shows are checked in that mode by the dialog's own tests.
QStringList ClippedTexts(const Window& window);

// Runs queued actions inside the next modal runs of dialogs, one per run, in
// order. Installs itself as the modal hook while it lives.
class ModalDriver {
public:
    ModalDriver();
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    ModalDriver& then(std::function<void(Dialog&)> action);
    int pending() const { return static_cast<int>(m_actions.size()); }
    // Runs without a queued action are ended with IDCANCEL so a test never hangs;
    // their count is kept here.
    int unexpectedRuns() const { return m_unexpected; }

private:
    std::deque<std::function<void(Dialog&)>> m_actions;
    Dialog::ModalHook m_previous;
    int m_unexpected = 0;
};

} // namespace tb::ui::testing
