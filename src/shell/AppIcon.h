#pragma once

#include <QIcon>

namespace ostrapel {

// The program's icon (the picture of data/ostrapel.svg, drawn without the SVG module).
QIcon applicationIcon();

// Gives the application its name and icon. It sets no display name: the
// platform would append that to every window title ("Fout — Ostrapel").
void setApplicationIdentity();

} // namespace ostrapel
