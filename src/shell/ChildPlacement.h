#pragma once

#include <QRect>

namespace ostrapel {

// Where a child window goes so that all of it shows in the frame's child area:
// no larger than the area, moved back inside it when it sticks out. An empty
// area (the frame not laid out yet) leaves the window where it is.
QRect placeInside(const QRect& window, const QRect& area);

} // namespace ostrapel
