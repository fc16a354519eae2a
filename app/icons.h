// The program's pictures, by the resource numbers the panel and the settings button
// use, and the toolbar's by command id.
#pragma once

#include <QIcon>

namespace mireto::icons {

inline constexpr int kApplication = 128;
inline constexpr int kDocument = 129;
inline constexpr int kCurrentReplacement = 194;
inline constexpr int kCurrentTemplate = 203;
inline constexpr int kNoSettings = 204;
inline constexpr int kCurrentEnding = 209;
inline constexpr int kGo = 211;
inline constexpr int kIdolNewsSettings = 212;
inline constexpr int kFontPlaySettings = 217;
inline constexpr int kFontPlayWhiteSettings = 219;
inline constexpr int kThreadSettings = 221;

// Null icon for a number that has no picture.
QIcon resourceIcon(int resourceId);
QIcon commandIcon(int commandId);

} // namespace mireto::icons
