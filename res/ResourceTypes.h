// The declarative form of the program's user-interface resources: dialog
// templates, menus, tool bars and images. Tables are constexpr data; the window
// layer (ui/framework) turns them into widgets.
#pragma once

#include <span>

namespace tb::res {

// Rectangles are in logical pixels of the handset screen (240 x 320 portrait);
// the window layer scales them to the host display.
struct Rect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

enum class ControlKind {
    Static,          // a text label
    Picture,         // an image (ControlTemplate::image)
    Edit,            // a one-line text field
    Button,          // a push button; its click is the command of its ID
    DefaultButton,   // the push button Enter reaches when the focus is elsewhere
    OwnerDrawButton, // a push button whose face the dialog paints
    CheckBox,
    RadioButton, // grouped from a Group-styled radio to the next Group style
    GroupBox,    // a frame with a title behind other controls
    ComboBox,    // drop-down with an editable field
    ComboList,   // drop-down list, selection only
    ListBox,
    ListView, // report-mode list with columns
    DatePicker,
    MonthCalendar,
};

enum Style : unsigned {
    StyleNone = 0,
    ReadOnly = 0x1,         // Edit
    AlignRight = 0x2,       // Static, Edit, DatePicker
    AlignCenter = 0x4,      // Static
    Group = 0x8,            // first control of a radio group
    PushLike = 0x10,        // RadioButton, CheckBox drawn as a toggle button
    MultiLine = 0x20,       // Static, CheckBox, Button: the text wraps
    SingleSelection = 0x40, // ListView, ListBox
    ShowSelAlways = 0x80,   // ListView
    FullRowSelect = 0x100,  // ListView
    LongDate = 0x200,       // DatePicker: "2008年3月10日" instead of "2008/03/10"
    ButtonOnly = 0x400,     // DatePicker: only the drop-down button is visible
    Border = 0x800,         // Static: sunken frame
    NoTabStop = 0x1000,
    Sorted = 0x2000, // ListBox: items kept in sorted order
    ModelView = 0x4000, // ListView: the window supplies a model (lists of any length)
};

// One control of a dialog. id -1 stands for a control no code refers to.
struct ControlTemplate {
    int id = -1;
    ControlKind kind = ControlKind::Static;
    const char16_t* text = u"";
    Rect rect;
    unsigned style = StyleNone;
    bool visible = true;
    bool enabled = true;
    int image = 0; // Picture: image resource ID
};

// Items a combo box or list box gets from the template itself.
struct InitList {
    int controlId = -1;
    std::span<const char16_t* const> items;
};

struct DialogTemplate {
    int id = 0;
    const char16_t* title = u"";
    Rect size; // x, y unused; w, h is the design size of the client area
    std::span<const ControlTemplate> controls;
    std::span<const InitList> initLists = {};
};

// A menu item: a command, a separator, or a pop-up with children.
struct MenuItem {
    const char16_t* text = u"";
    int command = 0;
    std::span<const MenuItem> popup = {};
    bool separator = false;

    constexpr bool isPopup() const { return !popup.empty(); }
};

constexpr MenuItem Item(const char16_t* text, int command) {
    return {text, command, {}, false};
}
constexpr MenuItem Popup(const char16_t* text, std::span<const MenuItem> children) {
    return {text, 0, children, false};
}
constexpr MenuItem Separator() {
    return {u"", 0, {}, true};
}

// A menu resource. As a soft-key bar its top-level items are the left and right keys.
struct MenuTemplate {
    int id = 0;
    std::span<const MenuItem> items;
};

// A tool-bar button: command and image index in the tool bar's bitmap strip;
// command 0 is a separator.
struct ToolButton {
    int command = 0;
    int image = -1;
    const char16_t* tip = u"";
};

struct ToolBarTemplate {
    int id = 0;
    int bitmap = 0;     // image resource ID of the strip
    int imageSize = 16; // width and height of one image in the strip, logical pixels
    std::span<const ToolButton> buttons;
};

} // namespace tb::res
