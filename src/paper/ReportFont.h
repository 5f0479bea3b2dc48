#pragma once

#include <QFont>

namespace ostrapel {

// The fixed-width font of reports on screen and paper: Courier New where
// installed, else Liberation Mono (the same metrics), else the desktop's fixed font.
QFont reportFont();

} // namespace ostrapel
