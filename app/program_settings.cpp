#include "app/program_settings.h"

#include "app/program_title.h"

namespace mireto {

QSettings programSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QStringLiteral("Local AppWizard-Generated Applications"), programTitle());
}

} // namespace mireto
