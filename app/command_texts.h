// The prompt strings of the commands: the status-bar prompt, and after a line feed the
// tool tip where a command has one.
#pragma once

#include <QString>

namespace mireto {

// The whole string; empty for an id without one.
QString commandPrompt(int id);
// Its parts.
QString statusPrompt(int id);
QString toolTipOf(int id);

} // namespace mireto
