#pragma once

#include <QIcon>

namespace korvent::app {

// The program's icon, drawn rather than loaded so that the program needs no resource files.
QIcon ProgramIcon();

}  // namespace korvent::app
