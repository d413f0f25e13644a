// The add-object dialog's own pictures of a table and a view, for hosts that give it no image
// lists. Drawn at each size a list or a tab may ask for, so they stay crisp when scaled.
#pragma once

#include <QIcon>

namespace vx {

QIcon GetTableIcon();
// A table with a lens over it: rows that a query selects.
QIcon GetViewIcon();

}  // namespace vx
