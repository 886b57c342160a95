// Lookup of the program's resources by their fixed numbers.
#pragma once

#include "res/ResourceTypes.h"

#include <QString>

namespace tb::res {

// Resource numbers named where code refers to them.
enum ResourceId : int {
    IDR_MAINFRAME = 128,   // program icon, accelerators and the document string
    IDD_ABOUTBOX = 100,    // version box
    IDD_MYTALY_FORM = 101, // command panel
    IDD_AMOUNT = 131,      // amount calculator
    IDR_MENU_MAIN = 152,
    IDR_TOOLBAR_SUMMARY = 129,
    IDR_TOOLBAR_FILTER = 130,
    IDR_TOOLBAR_SERIES = 131,
    IDB_BACK = 141,          // back button, a level is saved
    IDB_BACK_DISABLED = 142, // back button, no level saved
    IDB_BACK_PRESSED = 143,
    IDB_TOOLBAR = 145, // tool-bar button strip
};

// Null when no resource has that number.
const DialogTemplate* FindDialog(int id);
const MenuTemplate* FindMenu(int id);
const ToolBarTemplate* FindToolBar(int id);

// Path (a Qt resource path) of an image resource (bitmaps, IDR_MAINFRAME for
// the program icon); empty when there is none.
QString ImagePath(int id);

// Every ID in use, for the checks that each resource is defined once.
std::span<const DialogTemplate* const> AllDialogs();
std::span<const MenuTemplate* const> AllMenus();
std::span<const ToolBarTemplate* const> AllToolBars();

} // namespace tb::res
