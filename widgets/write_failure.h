// Why a file could not be written, in the user's words, for the messages that say so:
// the step that failed (a folder nothing can be made in is named) and the system's
// reason.
#pragma once

#include "platform/atomic_file.h"

#include <QString>

namespace mireto {

// One or two sentences about `result`, a failed write to `path`. A failure that did not
// come from writing the file (the result's step is None) is given as its own text.
QString writeFailureReason(const QString& path, const FileWriteResult& result);

} // namespace mireto
