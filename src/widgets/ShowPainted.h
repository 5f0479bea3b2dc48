#pragma once

class QWidget;

namespace ostrapel {

// Shows a progress window and returns once it is on screen and painted. The
// work that follows keeps the event loop waiting, and a window system maps
// and exposes a new window only through that loop: without the wait the
// window stays blank for the whole run.
void showPainted(QWidget* window);

} // namespace ostrapel
