#pragma once

// The window system the program starts on. On GNOME's Wayland session, Qt before 6.8 draws a
// title bar of its own, foreign to the desktop, that cuts the long title mid-letter; GNOME draws
// none for Wayland clients. Through XWayland (xcb) GNOME draws its own, whole. Every other desktop
// keeps Qt's choice, the native Wayland client where there is one, and the user's QT_QPA_PLATFORM
// (or -platform) always wins.

#include <optional>
#include <string>
#include <string_view>

namespace app {

struct PlatformFacts
{
    std::optional<std::string> qtQpaPlatform; // as set; nothing where it is unset
    std::string currentDesktop; // XDG_CURRENT_DESKTOP: a colon-separated list, as "ubuntu:GNOME"
    std::string qtVersion; // of the Qt the program runs with, as "6.4.2"
    bool xDisplayReachable = false; // DISPLAY names an X server that accepts a connection
};

// The platform to start on, or empty to leave the choice to Qt.
std::string_view platformFor(const PlatformFacts &facts);

// Reads the facts and sets QT_QPA_PLATFORM where the program chooses: before QApplication exists.
void choosePlatform();

} // namespace app
