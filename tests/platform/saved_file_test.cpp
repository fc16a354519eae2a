// Saving a file the user chose: through symbolic links to the file they name, keeping
// hard links, mode and owner, and in a folder that takes no new file; what is not a
// regular file is refused.
#include "platform/atomic_file.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mireto::test {
namespace {

struct stat statOf(const std::filesystem::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info;
}

std::ptrdiff_t entriesIn(const std::filesystem::path& folder) {
    return std::distance(std::filesystem::directory_iterator(folder), {});
}

class SavedFile : public ::testing::Test {
protected:
    TempDir dir;
    const std::filesystem::path spare = dir / "spare";

    FileWriteResult save(const std::filesystem::path& target, const std::string& bytes) {
        return saveFileKeepingLinks(target, bytes, spare);
    }
};

TEST_F(SavedFile, ASymbolicLinkIsFollowedToTheFileItNames) {
    std::filesystem::create_directory(dir / "real");
    writeFile(dir / "real" / "memo.txt", "old");
    // A relative link to a relative link.
    std::filesystem::create_symlink("real/memo.txt", dir / "first");
    std::filesystem::create_symlink("first", dir / "memo.txt");

    const FileWriteResult saved = save(dir / "memo.txt", "new");
    ASSERT_TRUE(saved.ok) << saved.error;
    EXPECT_EQ(readFile(dir / "real" / "memo.txt"), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "memo.txt"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "first"));
    EXPECT_EQ(entriesIn(dir / "real"), 1);

    // A link whose file is gone makes the file.
    std::filesystem::create_symlink("real/later.txt", dir / "later");
    ASSERT_TRUE(save(dir / "later", "made").ok);
    EXPECT_EQ(readFile(dir / "real" / "later.txt"), "made");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "later"));
}

TEST_F(SavedFile, HardLinksModeAndOwnerAreKept) {
    writeFile(dir / "memo.txt", "old");
    ASSERT_EQ(::chmod((dir / "memo.txt").c_str(), 0640), 0);
    std::filesystem::create_hard_link(dir / "memo.txt", dir / "other-name.txt");
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown((dir / "memo.txt").c_str(), 1234, 5678), 0);
    }
    const struct stat before = statOf(dir / "memo.txt");

    const FileWriteResult saved = save(dir / "memo.txt", "new, and longer than before");
    ASSERT_TRUE(saved.ok) << saved.error;
    EXPECT_EQ(readFile(dir / "other-name.txt"), "new, and longer than before");
    const struct stat after = statOf(dir / "memo.txt");
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_nlink, 2u);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(entriesIn(spare), 0) << "the safe copy goes once the file is whole";

    ASSERT_TRUE(save(dir / "memo.txt", "short").ok);
    EXPECT_EQ(readFile(dir / "other-name.txt"), "short");

    // A file of its own, owned by someone else, keeps owner and mode when replaced.
    writeFile(dir / "theirs.txt", "old");
    ASSERT_EQ(::chmod((dir / "theirs.txt").c_str(), 0604), 0);
    if (root) {
        ASSERT_EQ(::chown((dir / "theirs.txt").c_str(), 1234, 5678), 0);
    }
    ASSERT_TRUE(save(dir / "theirs.txt", "new").ok);
    EXPECT_EQ(readFile(dir / "theirs.txt"), "new");
    EXPECT_EQ(statOf(dir / "theirs.txt").st_mode & 07777, 0604u);
    if (root) {
        EXPECT_EQ(statOf(dir / "theirs.txt").st_uid, 1234u);
        EXPECT_EQ(statOf(dir / "theirs.txt").st_gid, 5678u);
    }
}

TEST_F(SavedFile, AFolderThatTakesNoNewFileIsWrittenInPlaceAfterASafeCopy) {
    const auto folder = dir / "locked";
    std::filesystem::create_directory(folder);
    writeFile(folder / "memo.txt", "old contents");
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    const bool locked = ::access(folder.c_str(), W_OK) != 0 || setImmutable(folder, true);
    if (!locked) {
        ::chmod(folder.c_str(), 0755);
        GTEST_SKIP() << "no way to keep this user from making files here";
    }
    const FileWriteResult saved = save(folder / "memo.txt", "new");
    setImmutable(folder, false);
    ::chmod(folder.c_str(), 0755);
    ASSERT_TRUE(saved.ok) << saved.error;
    EXPECT_EQ(readFile(folder / "memo.txt"), "new");
    EXPECT_EQ(entriesIn(folder), 1);
    EXPECT_EQ(entriesIn(spare), 0);

    // When writing in place fails too, the new contents wait in the safe copy.
    std::filesystem::create_hard_link(folder / "memo.txt", folder / "linked.txt");
    if (!setImmutable(folder / "memo.txt", true))
        GTEST_SKIP() << "no way to keep this user from writing a file";
    const FileWriteResult failed = save(folder / "memo.txt", "newer");
    setImmutable(folder / "memo.txt", false);
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(readFile(folder / "memo.txt"), "new");
    ASSERT_FALSE(failed.spareCopy.empty());
    EXPECT_EQ(failed.spareCopy.parent_path(), spare);
    EXPECT_EQ(readFile(failed.spareCopy), "newer");
    EXPECT_NE(failed.error.find(failed.spareCopy.string()), std::string::npos);
}

TEST_F(SavedFile, WhatIsNotARegularFileOrIsWriteProtectedIsLeftAlone) {
    std::filesystem::create_symlink("/dev/null", dir / "device.txt");
    const FileWriteResult device = save(dir / "device.txt", "x");
    EXPECT_FALSE(device.ok);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "device.txt"));

    std::filesystem::create_directory(dir / "folder.txt");
    EXPECT_FALSE(save(dir / "folder.txt", "x").ok);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.txt"));

    writeFile(dir / "protected.txt", "old");
    ASSERT_EQ(::chmod((dir / "protected.txt").c_str(), 0444), 0);
    const FileWriteResult saved = save(dir / "protected.txt", "new");
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(saved.errorNumber, EACCES);
    EXPECT_EQ(readFile(dir / "protected.txt"), "old");
}

} // namespace
} // namespace mireto::test
