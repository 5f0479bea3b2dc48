#include "ChildPlacement.h"

#include <algorithm>

namespace ostrapel {

QRect placeInside(const QRect& window, const QRect& area) {
    if (area.isEmpty()) return window;
    QRect r(window.topLeft(), window.size().boundedTo(area.size()));
    r.moveLeft(std::clamp(r.left(), area.left(), area.right() - r.width() + 1));
    r.moveTop(std::clamp(r.top(), area.top(), area.bottom() - r.height() + 1));
    return r;
}

} // namespace ostrapel
