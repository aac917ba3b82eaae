// Every window and dialog of the workbench opens wholly on its owner's screen and no
// larger than that screen's free area, whatever size it asked for: at 1024 x 768 a
// help window or an Import report must not hang below the panel.
//
// Usage (once, in the window's constructor):
//   keepOnOwnersScreen(this);
#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace verdin::gui {

// From now on, each time `window` is shown it is shrunk and moved into the available
// geometry of the screen its owner (parent window) is on, or its own screen when it
// has no owner. It is never made smaller than its layout's least size.
void keepOnOwnersScreen(QWidget* window);

// The geometry `frame` (a window with its title bar and borders) takes once moved and
// shrunk into `room`: the size is cut to the room's, then it slides in from the edge
// it crossed. `minimum` is the least the window can be made.
QRect fittedInto(const QRect& frame, const QRect& room, const QSize& minimum = QSize(0, 0));

// Esc closes `window` from wherever the focus is inside it, as it closes a dialog: the
// windows a student looks at and puts away (help, the listing, an import report).
void closeOnEscape(QWidget* window);

}  // namespace verdin::gui
