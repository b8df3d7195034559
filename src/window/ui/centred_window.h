#pragma once

class QWidget;

namespace k52 {

// Centre a top-level window over the window it belongs to (its parent's
// window, else the active window, else the screen).
void centre_over_owner(QWidget *w);

} // namespace k52
