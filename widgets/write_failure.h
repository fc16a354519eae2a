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

// The file a write went to: the one a link led to, or `asked` when the result does not
// say.
QString writtenFile(const QString& asked, const FileWriteResult& result);

// Where a failed rewrite in place kept what it could not write: a line for the new
// contents' copy and one for the old contents' (put back at the next start), each when
// there is one; empty otherwise.
QString keptCopiesText(const FileWriteResult& result);

} // namespace mireto
