// Whether bytes are a settings file as the program writes them: four sections, each
// ended by "----", and every line of them made of exactly the fields its section
// holds. The reader itself takes anything (a damaged Mireto.ini loses as little as
// possible); a file the user hands over to be imported is checked first, so that a
// text file or a half-broken one is refused instead of turning into odd records.
#pragma once

#include <cstddef>
#include <string_view>

namespace mireto {

enum class SettingsSection { PageSettings, EndingSets, ReplacementSets, OverallTemplates };

enum class SettingsFileFault {
    None,
    MissingSeparator, // the file ends before its four "----" lines
    BadLine,          // a line whose fields are not those of its section
    NotShiftJis,      // a string whose bytes are not Shift_JIS text
    ControlCharacter, // a string holding a control character (a lone CR, a tab, ...)
    BadValue,         // a page setting no settings dialog makes (SettingsFileCheck::value)
};

// The page settings whose values the settings dialogs bound: a number from a slider, a
// box or a choice, and a colour (seven characters, as the colour field stores it, none
// of which may end a page's attribute or start a tag). The texts are the user's own, as
// the pages have always carried them, and take anything.
enum class PageValue {
    None,
    LineBreakDegree,  // 0-9
    DeleteCommas,     // 0 or 1
    IdolNewsSupport,  // 0 or 1
    BackgroundColour, // seven characters, none of " ' < > & and no control character
    TextColour,
    ThreadMode, // 0-2
};

struct SettingsFileCheck {
    SettingsFileFault fault = SettingsFileFault::None;
    // The line at fault, counted from 1; for a missing separator, the line after the last.
    std::size_t line = 0;
    SettingsSection section = SettingsSection::PageSettings;
    PageValue value = PageValue::None; // BadValue: which

    bool ok() const { return fault == SettingsFileFault::None; }
};

// No string the program's own fields take holds a control character, so one that does
// (a name with a CR in it, say) marks a file made by hand or by someone hostile.
// Lines of the page-settings section past the five the program writes, and anything
// after the last separator, are ignored as the reader ignores them.
SettingsFileCheck CheckSettingsFile(std::string_view bytes);

struct FormatSettings;

// The first page setting in `settings` that no settings dialog makes, or None.
PageValue ImproperPageValue(const FormatSettings& settings);

// The line of the page-settings section (counted from 1, as in the file) that holds it.
std::size_t PageValueLine(PageValue value);

// Whether `text` is well-formed Shift_JIS: single bytes below 0x80 or half-width kana
// (0xA1-0xDF), and lead bytes each followed by a trail byte.
bool IsShiftJisText(std::string_view text);

} // namespace mireto
