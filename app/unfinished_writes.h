// What a start does before it reads anything: a rewrite in place that a kill left
// unfinished is undone (or found finished), the copies kept for such rewrites stay
// within their count, and the temporary files killed writers left beside Mireto.ini and
// tmp.html go, each only when no running editor holds it.
#pragma once

#include "platform/app_paths.h"

#include <QString>

namespace mireto {

// The message for the user about what was put back or could not be; empty when there
// is nothing to say.
QString finishUnfinishedWrites(const AppPaths& paths);

} // namespace mireto
