// The program icon: the window icon of the main dialog, the About box's picture and the
// picture of the minimised window.
#pragma once

#include <QIcon>
#include <string>

namespace platform::qt {

// Edge length in pixels of the icon as the windows show it: the About box's picture, the
// minimised window's drawing and the large-icon size the shell reports.
inline constexpr int kIconSize = 32;

// Loads image/icon.png from the given directory (the executable's); when it is missing or
// unreadable, draws a plain stand-in so that every window still has an icon.
QIcon LoadProgramIconFrom(const std::string& moduleDirectory);

}  // namespace platform::qt
