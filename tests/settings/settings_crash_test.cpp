// A save killed part-way leaves Mireto.ini as the old file or the new one, never a mix
// (an interruption just before the rename: settings_file_test).
#include "settings/settings_file.h"
#include "tests/support/temp_dir.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mireto::test {
namespace {

std::string saveAndRead(const std::filesystem::path& path, const std::string& title, int sets) {
    SettingsStore store;
    for (int i = 0; i < sets; ++i) {
        EndingSet set;
        set.name = title + std::to_string(i);
        store.InsertEndingSet(set, static_cast<std::size_t>(i));
    }
    FormatSettings settings;
    settings.thread.title = title;
    EXPECT_TRUE(SaveSettingsAtShutdown(path, store, settings, CurrentSelection{}).ok);
    return readFile(path);
}

// Runs `save` in a child process and returns once the child is gone.
template <typename Save> void inChild(Save save, int killAfterMicroseconds = -1) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        save();
        _exit(0);
    }
    if (killAfterMicroseconds >= 0) {
        usleep(static_cast<useconds_t>(killAfterMicroseconds));
        kill(child, SIGKILL);
    }
    int status = 0;
    waitpid(child, &status, 0);
}

TEST(SettingsCrash, KilledAtAnyMomentTheFileIsWhole) {
    TempDir dir;
    const auto path = dir / "Mireto.ini";
    const std::string oldFile = saveAndRead(path, "old", 2000);
    const std::string newFile = saveAndRead(dir / "expected.ini", "new", 2000);
    for (int delay = 0; delay < 4000; delay += 250) {
        inChild([&] { saveAndRead(path, "new", 2000); }, delay);
        const std::string now = readFile(path);
        ASSERT_TRUE(now == oldFile || now == newFile) << "killed after " << delay << " us";
        if (now == newFile)
            saveAndRead(path, "old", 2000);
    }
}

} // namespace
} // namespace mireto::test
