#pragma once

#include <QIcon>

namespace ostrapel {

// The program's icon (the picture of data/ostrapel.svg, drawn without the SVG module).
QIcon applicationIcon();

} // namespace ostrapel
