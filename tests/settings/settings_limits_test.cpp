// Settings files that must not be read: what is not a regular file, a read that fails,
// a file past the size limit, and lists that would take more memory than a file of that
// size can need. Each is refused at once, and the defaults stay in force.
#include "settings/settings_file.h"
#include "tests/settings/settings_session.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mireto::test {
namespace {

// The defaults: the none sets alone, and every setting and slot as built.
bool untouched(const Session& session) {
    const SettingsStore& store = session.store;
    return store.endingSetCount() == 1 && store.replacementSetCount() == 1 &&
           store.overallTemplateCount() == 0 && store.GetFormatName(6) != "" &&
           session.settings == FormatSettings{} && session.current == CurrentSelection{};
}

class SettingsLimits : public ::testing::Test {
protected:
    TempDir dir;
    const std::filesystem::path path = dir / "Mireto.ini";

    void expectRefused(StartupOutcome expected) {
        Session session;
        EXPECT_EQ(session.start(path), expected);
        EXPECT_TRUE(untouched(session));
        EXPECT_TRUE(isUnreadable(expected));
    }
};

TEST_F(SettingsLimits, OnlyARegularFileIsRead) {
    std::filesystem::create_directory(path);
    expectRefused(StartupOutcome::NotAFile);
    std::filesystem::remove(path);

    // A FIFO would block the start until someone wrote to it.
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    expectRefused(StartupOutcome::NotAFile);
    std::filesystem::remove(path);

    // A device never ends; a link leads to what it names.
    std::filesystem::create_symlink("/dev/zero", path);
    expectRefused(StartupOutcome::NotAFile);
}

TEST_F(SettingsLimits, AReadErrorIsRefusedNotThrown) {
    // Reading this process's memory from address 0 fails with EIO.
    std::filesystem::create_symlink("/proc/self/mem", path);
    expectRefused(StartupOutcome::ReadFailed);
}

TEST_F(SettingsLimits, AFileThatCannotBeOpenedIsNotMissing) {
    writeFile(path, "100,\r\n----\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    if (::access(path.c_str(), R_OK) == 0)
        GTEST_SKIP() << "this user reads every file";
    expectRefused(StartupOutcome::NoPermission);
}

TEST_F(SettingsLimits, AFilePastTheSizeLimitIsRefusedUnread) {
    writeFile(path, "100,\r\n2,1,\r\n----\r\n");
    std::filesystem::resize_file(path, kMaxSettingsFileBytes);
    Session atLimit;
    EXPECT_EQ(atLimit.start(path), StartupOutcome::Loaded);
    EXPECT_EQ(atLimit.settings.lineBreakDegree, 2);

    std::filesystem::resize_file(path, kMaxSettingsFileBytes + 1);
    expectRefused(StartupOutcome::TooLarge);
}

TEST_F(SettingsLimits, ListsTooLargeForTheFileAreRefused) {
    // 30,000 empty lines: each an ending set of empty strings, far larger in memory than
    // the two bytes it came from.
    std::string padded = "100,\r\n----\r\n";
    for (int line = 0; line < 30000; ++line)
        padded += "\r\n";
    writeFile(path, padded);
    expectRefused(StartupOutcome::TooManyEntries);

    // The same as a few empty lines among real entries is an ordinary file.
    std::string ordinary = "100,\r\n----\r\n";
    for (int line = 0; line < 3000; ++line)
        ordinary += "4,name,0,,0,0,,0,0,,0,0,,0,\r\n";
    ordinary += "\r\n\r\n----\r\n----\r\n----\r\n";
    writeFile(path, ordinary);
    Session session;
    EXPECT_EQ(session.start(path), StartupOutcome::Loaded);
    EXPECT_EQ(session.store.endingSetCount(), 3002u);
}

TEST_F(SettingsLimits, ARuleCountBeyondTheLineCostsNothing) {
    // Two billion rules stated over a line of commas: the rules read are those the
    // commas hold, five fields of two bytes each.
    std::string file = "100,\r\n----\r\n----\r\n2000000000,4,name,";
    file += std::string(100000, ',');
    file += "\r\n----\r\n----\r\n";
    writeFile(path, file);
    Session session;
    EXPECT_EQ(session.start(path), StartupOutcome::Loaded);
    EXPECT_EQ(session.current.replacementSet.name, "name");
    EXPECT_EQ(session.current.replacementSet.ruleCount(), 10000u);
}

} // namespace
} // namespace mireto::test
