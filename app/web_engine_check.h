// Whether the preview's web engine can start on this system. Where it cannot, the
// engine does not fail politely: a missing helper program or data file, or a sandbox
// it may not use, ends the whole process. So the program asks first and, on a problem,
// leaves the engine alone and says why in the preview.
#pragma once

#include <QString>

namespace mireto {

// Empty when the engine can start; otherwise a message for the user, in the program's
// language, saying what is missing and that everything else works.
QString webEngineProblem();

} // namespace mireto
