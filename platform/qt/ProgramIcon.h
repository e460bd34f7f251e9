// The program icon: the window icon of the main dialog, the About box's picture and the
// picture of the minimised window.
#pragma once

#include <QIcon>
#include <string>

namespace platform::qt {

// Loads image/icon.png from the given directory (the executable's); when it is missing or
// unreadable, draws a plain stand-in so that every window still has an icon.
QIcon LoadProgramIconFrom(const std::string& moduleDirectory);

}  // namespace platform::qt
