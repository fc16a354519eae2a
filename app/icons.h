// The program's pictures, by the resource numbers the panel and the settings button
// use, and the toolbar's by command id.
#pragma once

#include "settings/records.h"

#include <QIcon>
#include <optional>

namespace mireto::icons {

inline constexpr int kApplication = 128;
inline constexpr int kDocument = 129;
inline constexpr int kCurrentReplacement = 194;
inline constexpr int kCurrentTemplate = 203;
// The standard styles' settings (their colours).
inline constexpr int kColourSettings = 204;
inline constexpr int kCurrentEnding = 209;
inline constexpr int kGo = 211;
inline constexpr int kIdolNewsSettings = 212;
inline constexpr int kFontPlaySettings = 217;
inline constexpr int kFontPlayWhiteSettings = 219;
inline constexpr int kThreadSettings = 221;
// The program's own pictures beside the classic ones: the house style, which has no
// settings, and a style name that matches none of the seven.
inline constexpr int kHouseStyleSettings = 230;
inline constexpr int kNoSettings = 231;


// Null icon for a number that has no picture.
QIcon resourceIcon(int resourceId);
QIcon commandIcon(int commandId);

} // namespace mireto::icons
