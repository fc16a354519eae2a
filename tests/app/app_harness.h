// Runs the desktop program inside a test: its files in a fresh folder, the per-user
// settings redirected there too, message boxes and file choosers answered by the test,
// pages and links opened into lists instead of a browser, and a fixed clock. The live
// preview's web engine stays off unless a test turns it on (withWebEngine).
#pragma once

#include "app/file_dialogs.h"
#include "app/platform_services.h"
#include "tests/support/qt_text.h"
#include "widgets/message_box.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

class QComboBox;
class QDialog;
class QWidget;
class QToolButton;

namespace mireto {
class CMainFrame;
class CMiretoApp;
class CMiretoDoc;
class CMiretoView;
class ControlPanel;
class PagePreview;
} // namespace mireto

namespace mireto::test {

inline constexpr std::time_t kMoment = 1031227620;

// Types `text` into `widget` key by key, as a keyboard with an input method would.
void typeInto(QWidget* widget, const QString& text);

// Gives the command (`command`, e.g. a click on a panel button) and, once the modal
// dialog it opens shows, runs `act` on it; a dialog `act` leaves open is cancelled.
// Returns the class of the dialog that opened, or an empty string when none did.
QString runDialog(const std::function<void()>& command,
                  const std::function<void(QDialog&)>& act = {});
// The same for a script that drives the dialog through its pointer; returns the dialog's
// caption, or nothing when none opened.
QString driveDialog(const std::function<void()>& command,
                    const std::function<void(QDialog*)>& script);

class AppHarness;
// Saves what the ending-set editor shows under `name`, then closes it with OK.
void saveEndingSet(AppHarness& harness, const char* name);

struct ShownMessage {
    MessageRequest request;
    bool windowVisible = false; // whether the main window was showing at that moment
};

class AppHarness {
public:
    AppHarness();
    ~AppHarness();
    AppHarness(const AppHarness&) = delete;
    AppHarness& operator=(const AppHarness&) = delete;

    std::filesystem::path folder() const;
    // Lays the folder out as a build or an unpacked package has it, the shipped starter
    // settings included, and takes the paths the program's own rule gives there.
    void useProgramLayout();
    std::filesystem::path settingsFile() const { return services.paths.settingsFile; }
    std::filesystem::path pageFile() const { return services.paths.pageFile; }

    // The preview gets the real web engine, which must start: a machine where it
    // cannot fails the test rather than passing without a preview. The window then
    // starts large enough for the preview beside the text.
    void withWebEngine();
    // The files and per-user settings of `earlier`, as a restart finds them.
    void useFilesOf(const AppHarness& earlier);

    // Starts the program as main does and waits for the window's first paint. False
    // when start-up ended the program.
    bool start(const QStringList& arguments = {});
    // Closes the main window as the user would; true when it closed.
    bool close();

    CMiretoApp& app() const { return *m_app; }
    CMainFrame& frame() const;
    CMiretoView& view() const;
    CMiretoDoc& document() const;
    ControlPanel& panel() const;
    PagePreview& preview() const;
    QComboBox& combo(int id) const;
    QToolButton& button(int id) const;
    QStringList items(int comboId) const;

    // Picks an item of a panel list as the user does, through its drop-down list.
    void choose(int comboId, const QString& text);
    // Clicks a panel button.
    void click(int buttonId);
    // The command `item` of the menu bar's `menu`, as a click on it; fails the test when
    // the menu has no such item.
    std::function<void()> menuCommand(const char* menu, const char* item);

    PlatformServices services;
    std::vector<ShownMessage> messages;
    // Answers for the coming questions, in order; without one a question gets No (or
    // Cancel where it offers that).
    std::deque<MessageAnswer> answers;
    // Called with each message as it is shown, before it is answered.
    std::function<void(const MessageRequest&)> onMessage;
    // What the file choosers answer: the queued choices in order, then nextFileChoice
    // with the filter the chooser offered first (empty means cancel).
    std::deque<FileChoice> fileChoices;
    QString nextFileChoice;
    std::vector<FileRequest> fileRequests;
    std::vector<std::filesystem::path> opened;
    // What the desktop answers when asked to open a page.
    bool desktopOpensPages = true;
    std::vector<QUrl> links;

private:
    QString configFolder() const;

    QTemporaryDir m_dir;
    std::unique_ptr<CMiretoApp> m_app;
    bool m_webEngine = false;
};

} // namespace mireto::test
