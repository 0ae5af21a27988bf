#pragma once

// Who the program is: the names that the desktop, the package and the boxes know it by.

#include <string_view>

namespace app {

inline constexpr std::string_view ExecutableName = "velmora-kanji";
// The desktop entry's name without ".desktop": also the Wayland app id and the icon's name.
inline constexpr std::string_view DesktopFileName = "org.velmora.Kanji";
inline constexpr std::string_view Version = VELMORA_VERSION;
// The title of message and input boxes.
inline constexpr std::u16string_view ProgramTitle = u"Online Kanji Learning Program";

} // namespace app
