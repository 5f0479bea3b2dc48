#pragma once

#include <QPixmap>

namespace ostrapel {

// The 13 x 13 marker images: 0 the main insured of a unit; 1, 2 and 3 the
// origins of a premium component (renewal, mutation, manual).
QPixmap markerImage(int index);

} // namespace ostrapel
