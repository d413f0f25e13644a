// Shared pieces of the keyboard tests: keys typed as a user types them, into whatever has the
// keyboard focus, and where the focus is.
#pragma once

#include "vxControlsTest.h"

#include "vxQBDataSourceControl.h"
#include "vxQBLinkControl.h"
#include "vxQBSelectListControl.h"
#include "vxQBWorkArea.h"

#include <QString>

#include <functional>

namespace vxtest {

// Key with Modifiers into the widget the window system would give it: the focus widget of an
// open popup, else the application's focus widget.
void Press(int Key, Qt::KeyboardModifiers Modifiers = Qt::NoModifier);
// Text typed key by key the same way.
void Type(const QString& Text);
// The box that has the diagram's focus in WorkArea; null when none has.
TvxQueryBuilderDataSourceControl* FocusedBox(const TvxQueryBuilderWorkArea* WorkArea);
// The field of Box's current row ("*" for row 0); empty when none is current.
QString CurrentField(const TvxQueryBuilderDataSourceControl* Box);
// The select-list grid of the active operand.
TvxQueryBuilderSelectListControl* GridOf(const TvxQueryBuilder& QueryBuilder);
// Runs Keys on the modal dialog that Open shows, once it is active; false when none showed or
// the keys did not end it (it is closed then). Window
// is active again afterwards, as a window manager makes the window under a closed dialog (the
// offscreen platform does not).
bool InModal(QWidget& Window, const std::function<void()>& Open, const std::function<void(QWidget*)>& Keys);
// Moves the grid's current cell with Up, Down, Tab and Shift+Tab to Row and Column.
void MoveToCell(TvxQueryBuilderSelectListControl* Grid, int Row, int Column);

}  // namespace vxtest
