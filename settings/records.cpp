#include "settings/records.h"

namespace mireto {

EndingSet noneEndingSet() {
    EndingSet set;
    set.name = kNoneName;
    return set;
}

ReplacementSet noneReplacementSet() {
    ReplacementSet set;
    set.name = kNoneName;
    return set;
}

} // namespace mireto
