#pragma once
// The application's icon, for every window of the program.

#include <QIcon>
#include <string>

namespace tessera {

// The icon from the PNG sizes in <programFolder>icons/ (made by the build), else the desktop
// theme's icon of the installed program, else a drawn one: never an empty icon.
QIcon applicationIcon(const std::string& programFolder);

}  // namespace tessera
