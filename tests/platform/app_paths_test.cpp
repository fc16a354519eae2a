// Where the programs keep Mireto.ini and tmp.html, and which file a start reads: the
// portable and the installed layout, the starter settings, the user's data folder.
#include "platform/app_paths.h"
#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace mireto::test {
namespace {

// A program folder as a build, an unpacked package or an installation has it: the
// executables in bin/, the starter under share/mireto.
class Layout : public ::testing::Test {
protected:
    TempDir dir;
    const std::filesystem::path bin = dir / "usr" / "bin";
    const std::filesystem::path starter = (bin / starterRelativeToExecutable()).lexically_normal();
    const std::filesystem::path user = dir / "home" / "mireto";
    const std::filesystem::path nowhere = dir / "not-installed";

    Layout() {
        std::filesystem::create_directories(bin);
        std::filesystem::create_directories(starter.parent_path());
        writeFile(starter, "starter");
    }
};

TEST_F(Layout, APortableCopyReadsTheStarterUntilItHasAMiretoIniOfItsOwn) {
    ASSERT_EQ(starter, dir / "usr" / "share" / "mireto" / "starter.ini");
    AppPaths paths = resolveAppPaths(bin, user, nowhere);
    EXPECT_EQ(paths.settingsFile, bin / "Mireto.ini");
    EXPECT_EQ(paths.pageFile, bin / "tmp.html");
    // Copies made before a file is written in place stay with the user in either layout.
    EXPECT_EQ(paths.spareFolder, user / "copies");
    EXPECT_EQ(paths.startingSettingsFile, starter);
    EXPECT_EQ(paths.fileToRead(), starter);
    EXPECT_FALSE(std::filesystem::exists(user)) << "nothing is created";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(bin), {}), 0) << "probe left";

    // Whatever stands at the user's path is the user's: a file, even one that cannot be
    // read, or a link to nothing. Start-up reads it and reports what fails.
    writeFile(paths.settingsFile, "mine");
    EXPECT_EQ(paths.fileToRead(), paths.settingsFile);
    std::filesystem::remove(paths.settingsFile);
    std::filesystem::create_symlink(dir / "gone.ini", paths.settingsFile);
    EXPECT_EQ(paths.fileToRead(), paths.settingsFile);

    // Without a starter there is nothing else to read.
    std::filesystem::remove(starter);
    paths = resolveAppPaths(bin, user, nowhere);
    EXPECT_TRUE(paths.startingSettingsFile.empty());
    std::filesystem::remove(paths.settingsFile);
    EXPECT_EQ(paths.fileToRead(), paths.settingsFile);
}

TEST_F(Layout, AnInstalledProgramKeepsItsFilesWithTheUserEvenWhereItCouldWrite) {
    const AppPaths paths = resolveAppPaths(bin, user, dir / "usr" / "." / "bin");
    EXPECT_EQ(paths.settingsFile, user / "Mireto.ini");
    EXPECT_EQ(paths.pageFile, user / "tmp.html");
    EXPECT_EQ(paths.spareFolder, user / "copies");
    EXPECT_EQ(paths.startingSettingsFile, starter);
    EXPECT_EQ(paths.fileToRead(), starter);

    // A Mireto.ini put beside an installed program is where its users start from.
    writeFile(bin / "Mireto.ini", "site");
    EXPECT_EQ(resolveAppPaths(bin, user, bin).fileToRead(), bin / "Mireto.ini");
    std::filesystem::create_directories(user);
    writeFile(user / "Mireto.ini", "mine");
    EXPECT_EQ(resolveAppPaths(bin, user, bin).fileToRead(), user / "Mireto.ini");
}

TEST_F(Layout, AFolderThatCannotTakeFilesCountsAsInstalled) {
    // Root may write anywhere; a path under a regular file is refused to everyone.
    writeFile(dir / "file", "not a folder");
    const AppPaths paths = resolveAppPaths(dir / "file" / "bin", user, nowhere);
    EXPECT_EQ(paths.settingsFile, user / "Mireto.ini");
    EXPECT_EQ(paths.pageFile, user / "tmp.html");
    EXPECT_TRUE(paths.startingSettingsFile.empty());
    EXPECT_EQ(resolveAppPaths(dir / "missing", user, nowhere).settingsFile, user / "Mireto.ini");
}

TEST(UserDataDirectory, FollowsXdgDataHomeWhenAbsoluteElseHome) {
    const char* savedData = std::getenv("XDG_DATA_HOME");
    const char* savedHome = std::getenv("HOME");
    const std::string data = savedData ? savedData : "";
    const std::string home = savedHome ? savedHome : "";

    setenv("HOME", "/home/someone", 1);
    setenv("XDG_DATA_HOME", "/data", 1);
    EXPECT_EQ(userDataDirectory(), std::filesystem::path("/data/mireto"));
    setenv("XDG_DATA_HOME", "relative", 1);
    EXPECT_EQ(userDataDirectory(), std::filesystem::path("/home/someone/.local/share/mireto"));
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(userDataDirectory(), std::filesystem::path("/home/someone/.local/share/mireto"));

    savedData ? setenv("XDG_DATA_HOME", data.c_str(), 1) : unsetenv("XDG_DATA_HOME");
    savedHome ? setenv("HOME", home.c_str(), 1) : unsetenv("HOME");
}

} // namespace
} // namespace mireto::test
