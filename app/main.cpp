// Starts the desktop program.
#include "app/icons.h"
#include "app/mireto_app.h"
#include "app/page_preview.h"
#include "app/program_options.h"
#include "app/qt_translations.h"
#include "app/quit_signals.h"

#include <QApplication>
#include <iostream>

int main(int argc, char** argv) {
    // --help and --version answer before anything starts, so they need no display.
    if (const auto status = mireto::answerProgramOptions(
            std::vector<std::string>(argv + 1, argv + argc), std::cout))
        return *status;
    mireto::PagePreview::prepareEngine();
    QApplication application(argc, argv);
    // The name picks the user's data folder (~/.local/share/mireto) and the desktop
    // entry; the window titles say "ソルネ壱号".
    QApplication::setApplicationName(QStringLiteral("mireto"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0.1"));
    QGuiApplication::setDesktopFileName(QStringLiteral("mireto"));
    QApplication::setWindowIcon(mireto::icons::resourceIcon(mireto::icons::kApplication));
    mireto::installQtTranslations(application);

    mireto::CMiretoApp mireto(mireto::desktopServices());
    // Installed before start-up, so that a kill from then on quits the normal way.
    mireto::QuitSignals quitSignals;
    QObject::connect(&quitSignals, &mireto::QuitSignals::quitRequested, &mireto,
                     &mireto::CMiretoApp::OnQuitRequest);
    if (!mireto.InitInstance(QApplication::arguments().mid(1)))
        return mireto.exitStatus();
    return QApplication::exec();
}
