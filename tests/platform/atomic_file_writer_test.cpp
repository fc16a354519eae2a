// Replacing a file in one step with its contents written a piece at a time: the old file
// stays whole until the commit, and whatever fails on the way leaves it as it was with
// nothing beside it.
#include "platform/atomic_file.h"
#include "tests/support/temp_dir.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace mireto::test {
namespace {

std::ptrdiff_t entriesIn(const std::filesystem::path& folder) {
    return std::distance(std::filesystem::directory_iterator(folder), {});
}

class AtomicFileWriting : public ::testing::Test {
protected:
    void SetUp() override { writeFile(target, "the old contents"); }

    // The old file is there as it was, and nothing else.
    void expectOldFileAlone() {
        EXPECT_EQ(readFile(target), "the old contents");
        EXPECT_EQ(entriesIn(dir.path()), 1);
    }

    TempDir dir;
    const std::filesystem::path target = dir / "page.html";
};

TEST_F(AtomicFileWriting, PiecesBecomeTheFileOnlyAtTheCommit) {
    const std::string page = "<HTML>" + std::string(100000, 'x');
    for (const FlushToDisk flush : {FlushToDisk::Yes, FlushToDisk::No}) {
        writeFile(target, "the old contents");
        ::chmod(target.c_str(), 0640);
        AtomicFileWriter file(target, flush);
        EXPECT_TRUE(file.append("<HTML>"));
        EXPECT_TRUE(file.append(""));
        EXPECT_TRUE(file.append(page.substr(6)));
        EXPECT_EQ(readFile(target), "the old contents") << "readers see the old file meanwhile";
        const FileWriteResult result = file.commit();
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(readFile(target), page);
        EXPECT_EQ(entriesIn(dir.path()), 1);
        EXPECT_FALSE(file.append("more")) << "a committed file takes nothing more";
        struct stat info {};
        ASSERT_EQ(::stat(target.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0640u) << "the replaced file's permissions are kept";
    }
}

TEST_F(AtomicFileWriting, GoingWithoutACommitLeavesTheOldFile) {
    {
        AtomicFileWriter file(target, FlushToDisk::No);
        EXPECT_TRUE(file.append("half a page"));
        EXPECT_EQ(entriesIn(dir.path()), 2);
    }
    expectOldFileAlone();
}

TEST_F(AtomicFileWriting, AWriteFailingPartWayLeavesTheOldFile) {
    // The file-size limit makes the second piece fail, as a full disk would.
    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit small{1000, limit.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    bool first = false;
    bool second = true;
    bool third = true;
    FileWriteResult result;
    {
        AtomicFileWriter file(target, FlushToDisk::No);
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        first = file.append(std::string(600, 'a'));
        second = file.append(std::string(600, 'b'));
        third = file.append("c");
        ::setrlimit(RLIMIT_FSIZE, &limit);
        result = file.commit();
    }
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(first);
    EXPECT_FALSE(second);
    EXPECT_FALSE(third) << "nothing more is written after a failure";
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.step, FileWriteStep::Write);
    EXPECT_EQ(result.errorNumber, EFBIG);
    EXPECT_NE(result.error.find("page.html: cannot write"), std::string::npos) << result.error;
    expectOldFileAlone();
}

TEST_F(AtomicFileWriting, AnInterruptionBeforeTheRenameLeavesTheOldFile) {
    setAtomicWriteHookForTesting([](const std::filesystem::path& temp) {
        EXPECT_EQ(readFile(temp), "new");
        return false;
    });
    AtomicFileWriter file(target);
    file.append("new");
    const FileWriteResult result = file.commit();
    setAtomicWriteHookForTesting({});
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.step, FileWriteStep::Write);
    expectOldFileAlone();
}

TEST_F(AtomicFileWriting, AProtectedFileOrAFolderThatIsNoneTakesNoPieces) {
    ::chmod(target.c_str(), 0444);
    {
        AtomicFileWriter file(target);
        EXPECT_FALSE(file.append("new"));
        const FileWriteResult result = file.commit();
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.step, FileWriteStep::Protected);
    }
    expectOldFileAlone();

    AtomicFileWriter inFile(target / "page.html");
    EXPECT_FALSE(inFile.append("new"));
    const FileWriteResult result = inFile.commit();
    EXPECT_EQ(result.step, FileWriteStep::CreateTemporary);
    EXPECT_EQ(result.errorNumber, ENOTDIR);
    expectOldFileAlone();
}

TEST_F(AtomicFileWriting, ALinkAtTheNameIsReplacedNotFollowed) {
    // The page file: a link put where it goes must not let a page overwrite another file.
    const auto victim = dir / "victim.txt";
    writeFile(victim, "keep me");
    std::filesystem::remove(target);
    std::filesystem::create_symlink(victim, target);
    ASSERT_TRUE(writeFileAtomically(target, "page", FlushToDisk::No).ok);
    EXPECT_EQ(readFile(victim), "keep me");
    EXPECT_FALSE(std::filesystem::is_symlink(target));
    EXPECT_EQ(readFile(target), "page");
}

// What a kill left beside the file goes at the next start; what a running writer holds,
// and what is not of the writer's pattern, stays.
TEST_F(AtomicFileWriting, LeftoversOfAKilledWriterGoAndThoseOfARunningOneStay) {
    const auto target = dir / "Mireto.ini";
    writeFile(target, "settings");
    const auto longAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    for (const char* name : {".Mireto.ini.a1B2c3", ".Mireto.ini.zzzzzz", ".Mireto.ini.toolong1",
                             "Mireto.ini.a1B2c3", ".Other.ini.a1B2c3"}) {
        writeFile(dir / name, "left");
        std::filesystem::last_write_time(dir / name, longAgo);
    }
    AtomicFileWriter running(target);
    running.append("new settings");
    std::filesystem::path held;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(".Mireto.ini.", 0) == 0 && name != ".Mireto.ini.a1B2c3" &&
            name != ".Mireto.ini.zzzzzz" && name != ".Mireto.ini.toolong1")
            held = entry.path();
    }
    ASSERT_FALSE(held.empty());
    std::filesystem::last_write_time(held, longAgo);

    EXPECT_EQ(removeStaleTemporaries(target), 2u);
    EXPECT_FALSE(std::filesystem::exists(dir / ".Mireto.ini.a1B2c3"));
    EXPECT_FALSE(std::filesystem::exists(dir / ".Mireto.ini.zzzzzz"));
    EXPECT_TRUE(std::filesystem::exists(held));
    for (const char* name : {".Mireto.ini.toolong1", "Mireto.ini.a1B2c3", ".Other.ini.a1B2c3"})
        EXPECT_TRUE(std::filesystem::exists(dir / name)) << name;
    ASSERT_TRUE(running.commit().ok);
    EXPECT_EQ(readFile(target), "new settings");
}

} // namespace
} // namespace mireto::test
