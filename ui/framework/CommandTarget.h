// Command routing: a window's table of control or command IDs and handlers,
// written one line per entry like a message map:
//
//   setMessageMap({
//       OnCommand(32809, &CMyTALYView::OnNewEntry),
//       OnCommandRange(1007, 1016, &CAmountDlg::OnDigit),
//       OnNotify(1030, Notify::ItemClick, &CSummaryDlg::OnListClick),
//       OnUpdate(32871, &CSummaryDlg::OnUpdatePeriodDay),
//       OnKey(VK_9, &CMyTALYView::OnKey9),
//       KeyCommand(VK_1, 32809),
//   });
#pragma once

#include <functional>
#include <initializer_list>
#include <vector>

class QString;

namespace tb::ui {

// The handset's virtual-key codes; key tables are written in these.
enum VirtualKey : int {
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_DELETE = 0x2E,
    VK_0 = 0x30, // VK_0 + n for the digit n
    VK_1,
    VK_2,
    VK_3,
    VK_4,
    VK_5,
    VK_6,
    VK_7,
    VK_8,
    VK_9,
    VK_NUMPAD0 = 0x60, // VK_NUMPAD0 + n for the keypad digit n
    VK_MULTIPLY = 0x6A,
    VK_ADD = 0x6B,
    VK_SUBTRACT = 0x6D,
    VK_DIVIDE = 0x6F,
    VK_F1 = 0x70,
    VK_F2 = 0x71,
};

// Standard command IDs.
enum StandardCommand : int { IDOK = 1, IDCANCEL = 2 };

// Notifications a control sends to its window.
enum class Notify {
    Clicked,  // button
    SetFocus, // any control got the focus
    KillFocus,
    EditChange,  // text changed by the user (edit, editable combo)
    SelChange,   // combo, list box, month calendar, list view selection
    DateChange,  // date picker value changed
    CloseUp,     // date picker's calendar closed
    ItemClick,   // list view tapped: row and column (row -1 outside rows)
    ItemKeyDown, // key pressed in a list view: key
    ColumnClick, // list view header: column
    DoubleClick, // list box, list view
};

struct NotifyInfo {
    int id = 0;
    Notify code = Notify::Clicked;
    int row = -1;
    int column = -1;
    int key = 0;    // a VirtualKey
    int result = 0; // a handler may set it; unused by most
};

// What an update handler sees of one menu item or tool-bar button.
class CmdUI {
public:
    explicit CmdUI(int id) : m_id(id) {}
    int id() const { return m_id; }
    void Enable(bool on = true) { m_enabled = on; }
    void SetCheck(int check = 1) { m_checked = check != 0; }
    bool enabled() const { return m_enabled; }
    bool checked() const { return m_checked; }
    bool handled() const { return m_handled; }
    void setHandled() { m_handled = true; }

private:
    int m_id;
    bool m_enabled = true;
    bool m_checked = false;
    bool m_handled = false;
};

class CommandTarget;

// One entry of a message map. Build entries with the On... functions below.
struct Route {
    enum class Kind { Command, Notify, Update, Key };
    Kind kind = Kind::Command;
    int first = 0; // ID, or the virtual key of a key entry
    int last = 0;
    Notify code = Notify::Clicked;
    std::function<void(CommandTarget&, NotifyInfo&)> handler;
    std::function<void(CommandTarget&, CmdUI&)> update;
    int command = 0; // key entry that sends a command instead of calling a handler

    static Route Make(Kind kind, int first, int last, Notify code = Notify::Clicked) {
        Route r;
        r.kind = kind;
        r.first = first;
        r.last = last;
        r.code = code;
        return r;
    }
};

// The routing half of every window: a table of routes and the dispatch over it.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;

    // Runs the handler of a command (button, menu item, tool-bar button, key
    // table). Returns false when no entry handles it and no default exists.
    bool SendCommand(int id);
    // Delivers a notification of control `info.id`; false when none handles it.
    bool SendNotify(NotifyInfo& info);
    // Passes a menu item or tool-bar button through its update handler.
    // Items without one stay enabled and unchecked.
    void UpdateCmdUI(CmdUI& ui);
    // The key table: runs the entry for this virtual key, true when there was one.
    bool RunKeyTable(int virtualKey);

protected:
    void setMessageMap(std::initializer_list<Route> routes);
    // Commands that no entry handles; a dialog ends itself on IDOK and IDCANCEL.
    virtual bool OnUnhandledCommand(int /*id*/) { return false; }
    // Where a command goes when this target has no entry for it (the frame
    // passes its commands on to its view first). Null: nowhere.
    virtual CommandTarget* NextTarget() { return nullptr; }

private:
    const Route* find(Route::Kind kind, int id, Notify code = Notify::Clicked) const;
    std::vector<Route> m_routes;
};

template <class D> Route OnCommand(int id, void (D::*fn)()) {
    Route r = Route::Make(Route::Kind::Command, id, id);
    r.handler = [fn](CommandTarget& t, NotifyInfo&) { (static_cast<D&>(t).*fn)(); };
    return r;
}
// A range of IDs to one handler that receives the ID.
template <class D> Route OnCommandRange(int first, int last, void (D::*fn)(int)) {
    Route r = Route::Make(Route::Kind::Command, first, last);
    r.handler = [fn](CommandTarget& t, NotifyInfo& n) { (static_cast<D&>(t).*fn)(n.id); };
    return r;
}
template <class D> Route OnNotify(int id, Notify code, void (D::*fn)(NotifyInfo&)) {
    Route r = Route::Make(Route::Kind::Notify, id, id, code);
    r.handler = [fn](CommandTarget& t, NotifyInfo& n) { (static_cast<D&>(t).*fn)(n); };
    return r;
}
template <class D> Route OnNotify(int id, Notify code, void (D::*fn)()) {
    Route r = Route::Make(Route::Kind::Notify, id, id, code);
    r.handler = [fn](CommandTarget& t, NotifyInfo&) { (static_cast<D&>(t).*fn)(); };
    return r;
}
template <class D> Route OnUpdate(int id, void (D::*fn)(CmdUI&)) {
    Route r = Route::Make(Route::Kind::Update, id, id);
    r.update = [fn](CommandTarget& t, CmdUI& ui) { (static_cast<D&>(t).*fn)(ui); };
    return r;
}
template <class D> Route OnUpdateRange(int first, int last, void (D::*fn)(CmdUI&)) {
    Route r = Route::Make(Route::Kind::Update, first, last);
    r.update = [fn](CommandTarget& t, CmdUI& ui) { (static_cast<D&>(t).*fn)(ui); };
    return r;
}
// A key of the key table that calls a handler; the key is consumed.
template <class D> Route OnKey(int virtualKey, void (D::*fn)()) {
    Route r = Route::Make(Route::Kind::Key, virtualKey, virtualKey);
    r.handler = [fn](CommandTarget& t, NotifyInfo&) { (static_cast<D&>(t).*fn)(); };
    return r;
}
// A key of the key table that sends a command; the key is consumed.
inline Route KeyCommand(int virtualKey, int command) {
    Route r = Route::Make(Route::Kind::Key, virtualKey, virtualKey);
    r.command = command;
    return r;
}

} // namespace tb::ui
