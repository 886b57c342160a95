// The index of every resource by its number.
#include "res/Resources.h"

#include "res/Templates.h"

#include <QFile>

static void InitImageResources() {
    Q_INIT_RESOURCE(images);
}

namespace tb::res {
namespace {

const DialogTemplate* const kDialogs[] = {
    &kDialog100, &kDialog101, &kDialog131,
    &kDialog135, &kDialog154, // item edit, folder select
    &kDialog136, &kDialog168, // entry edit, date select
    &kDialog130,              // new-entry list pages
    &kDialog155, // template list
    &kDialog132, &kDialog142, &kDialog169, // summary, filter, time series
    &kDialog138, // organize
    &kDialog103, &kDialog153, &kDialog151, &kDialog152, // option pages
};

const MenuTemplate* const kMenus[] = {
    &kMenu152, &kMenu154, &kMenu156, &kMenu157, &kMenu158, &kMenu159, &kMenu160, &kMenu161,
    &kMenu162, &kMenu163, &kMenu164, &kMenu165, &kMenu166, &kMenu167, &kMenu168, &kMenu169,
};

const ToolBarTemplate* const kToolBars[] = {&kToolBar129, &kToolBar130, &kToolBar131};

struct ImageEntry {
    int id;
    const char* path;
};
constexpr ImageEntry kImages[] = {
    {IDR_MAINFRAME, ":/tallybook/images/program.svg"},
    {IDB_BACK, ":/tallybook/images/bitmap141.svg"},
    {IDB_BACK_DISABLED, ":/tallybook/images/bitmap142.svg"},
    {IDB_BACK_PRESSED, ":/tallybook/images/bitmap143.svg"},
    {IDB_TOOLBAR, ":/tallybook/images/bitmap145.svg"},
};

template <class T> const T* FindIn(std::span<const T* const> all, int id) {
    for (const T* t : all)
        if (t->id == id) return t;
    return nullptr;
}

} // namespace

const DialogTemplate* FindDialog(int id) {
    return FindIn(AllDialogs(), id);
}
const MenuTemplate* FindMenu(int id) {
    return FindIn(AllMenus(), id);
}
const ToolBarTemplate* FindToolBar(int id) {
    return FindIn(AllToolBars(), id);
}

std::span<const DialogTemplate* const> AllDialogs() {
    return kDialogs;
}
std::span<const MenuTemplate* const> AllMenus() {
    return kMenus;
}
std::span<const ToolBarTemplate* const> AllToolBars() {
    return kToolBars;
}

QString ImagePath(int id) {
    static const bool initialised = (InitImageResources(), true);
    (void)initialised;
    for (const auto& image : kImages)
        if (image.id == id) return QString::fromLatin1(image.path);
    return {};
}

} // namespace tb::res
