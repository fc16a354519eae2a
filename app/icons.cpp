#include "app/icons.h"

#include "app/command_ids.h"

#include <QHash>

// Outside any namespace, as the resource system requires; the pictures live in a
// static library, so they are registered on first use.
static void registerPictures() {
    Q_INIT_RESOURCE(mireto);
}

namespace mireto::icons {

namespace {

QIcon picture(const char* name) {
    static const bool registered = (registerPictures(), true);
    (void)registered;
    return QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(name)));
}

const char* resourceName(int resourceId) {
    static const QHash<int, const char*> names = {
        {kApplication, "app"},
        {kDocument, "document"},
        {kCurrentReplacement, "replacement"},
        {kCurrentTemplate, "template"},
        {kColourSettings, "settings-colours"},
        {kHouseStyleSettings, "settings-house"},
        {kNoSettings, "settings-none"},
        {kCurrentEnding, "ending"},
        {kGo, "go"},
        {kIdolNewsSettings, "settings-idolnews"},
        {kFontPlaySettings, "settings-fontplay-black"},
        {kFontPlayWhiteSettings, "settings-fontplay-white"},
        {kThreadSettings, "settings-thread"},
    };
    return names.value(resourceId, nullptr);
}

const char* commandName(int commandId) {
    static const QHash<int, const char*> names = {
        {cmd::kFileNew, "new"},     {cmd::kFileOpen, "open"},   {cmd::kFileSave, "save"},
        {cmd::kEditUndo, "undo"},   {cmd::kEditCut, "cut"},     {cmd::kEditCopy, "copy"},
        {cmd::kEditPaste, "paste"}, {cmd::kFilePrint, "print"}, {cmd::kGo, "go"},
        {cmd::kAppAbout, "about"},
    };
    return names.value(commandId, nullptr);
}

} // namespace

QIcon resourceIcon(int resourceId) {
    const char* name = resourceName(resourceId);
    return name ? picture(name) : QIcon();
}

QIcon commandIcon(int commandId) {
    const char* name = commandName(commandId);
    return name ? picture(name) : QIcon();
}

} // namespace mireto::icons
