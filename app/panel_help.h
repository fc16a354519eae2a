// What the panel's GO button and lists say in the status bar while the pointer is
// over them: what each one does, for a user who has not read anything yet.
#pragma once

#include <QString>

namespace mireto {

class ControlPanel;

// The status-bar help of a panel control (a cmd::kCombo... list or the GO button);
// empty for the others, which carry their command's own prompt.
QString panelStatusHelp(int controlId);

// Gives the GO button and the four lists their help (a list's edit field too, which
// is what the pointer is over most of the time).
void givePanelStatusHelp(ControlPanel& panel);

} // namespace mireto
