// Where the library's dialogs open: the framework's form positions mapped onto a Qt window.
#pragma once

#include "vxQBTypes.h"

class QWidget;

namespace vx {

// Moves the window Dialog (not yet shown, or shown again) as Position asks: poScreenCenter and
// poDesktopCenter centre it on the screen of its parent; poMainFormCenter and poOwnerFormCenter
// over its parent's window; the other positions leave it where the window system puts it.
void PlaceDialog(QWidget& Dialog, TvxPosition Position);

}  // namespace vx
