// The resource definitions, one object each; Resources.cpp indexes them.
// A new dialog adds its template in its own file and one line here and there.
#pragma once

#include "res/ResourceTypes.h"

namespace tb::res {

extern const DialogTemplate kDialog100; // version box
extern const DialogTemplate kDialog101; // command panel
extern const DialogTemplate kDialog131; // amount calculator
extern const DialogTemplate kDialog130; // new-entry list pages
extern const DialogTemplate kDialog136, kDialog168; // entry edit, date select
extern const DialogTemplate kDialog135, kDialog154; // item edit, folder select
extern const DialogTemplate kDialog155; // template list
extern const DialogTemplate kDialog132, kDialog142, kDialog169; // summary, filter, time series
extern const DialogTemplate kDialog138; // organize
extern const DialogTemplate kDialog103, kDialog153, kDialog151, kDialog152; // option pages

extern const MenuTemplate kMenu152, kMenu154, kMenu156, kMenu157, kMenu158, kMenu159, kMenu160,
    kMenu161, kMenu162, kMenu163, kMenu164, kMenu165, kMenu166, kMenu167, kMenu168, kMenu169;

extern const ToolBarTemplate kToolBar129, kToolBar130, kToolBar131;

} // namespace tb::res
