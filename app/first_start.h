// The first start: no Mireto.ini of the user's yet. Instead of an empty editor and a
// blank preview, the editor opens a short text that says what to do, as a new,
// unmodified document, so the preview shows a page of it at once and closing it asks
// nothing.
#pragma once

#include <QString>
#include <filesystem>

namespace mireto {

class CMiretoDoc;
class CMiretoView;

// Whether the user has no settings file at `settingsFile` yet (a link to nowhere
// counts as one: it is the user's).
bool isFirstStart(const std::filesystem::path& settingsFile);

// The text of the first start, in lines separated by "\n".
QString firstStartSample();

// Opens the sample in `view` as a new, unmodified document of `document`.
void openFirstStartSample(CMiretoDoc& document, CMiretoView& view);

} // namespace mireto
