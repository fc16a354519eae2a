// Rewriting a file in place: whatever fails, and wherever the program is killed, the
// file is the old one or the new one, never a mix; a kill is undone at the next start;
// a full disk fails before the old bytes are touched; leftovers stay within bounds.
#include "platform/in_place_rewrite.h"
#include "tests/support/temp_dir.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mireto::test {
namespace {

constexpr RewriteStep kSteps[] = {
    RewriteStep::NewCopy, RewriteStep::OldCopy, RewriteStep::Journal,
    RewriteStep::Reserve, RewriteStep::Write,   RewriteStep::WriteMiddle,
    RewriteStep::Cut,     RewriteStep::Flush,   RewriteStep::Done};

std::size_t entriesIn(const std::filesystem::path& folder) {
    std::error_code error;
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(folder, error), {}));
}

// Old and new contents of different lengths either way, so that a mix shows.
struct Contents {
    std::string old;
    std::string fresh;
};
const Contents kContents[] = {
    {std::string(5000, 'o') + "end of old\n", std::string(9000, 'n') + "end of new\n"},
    {std::string(9000, 'o') + "end of old\n", std::string(3000, 'n') + "end of new\n"},
};

class InPlaceRewrite : public ::testing::Test {
protected:
    TempDir dir;
    const std::filesystem::path file = dir / "Mireto.ini";
    const std::filesystem::path spare = dir / "copies";

    void TearDown() override { setRewriteHookForTesting({}); }
};

TEST_F(InPlaceRewrite, AFailureAtAnyStepLeavesTheOldFileAndSaysWhereTheNewContentsAre) {
    for (const Contents& contents : kContents) {
        for (const RewriteStep failing : kSteps) {
            SCOPED_TRACE(static_cast<int>(failing));
            writeFile(file, contents.old);
            setRewriteHookForTesting([&](RewriteStep step) { return step != failing; });
            const FileWriteResult result = rewriteInPlace(file, contents.fresh, spare);
            setRewriteHookForTesting({});
            if (failing == RewriteStep::Done) {
                // Everything but tidying the journal went: the new file is whole, and
                // the next start sees so.
                ASSERT_TRUE(result.ok) << result.error;
                EXPECT_EQ(readFile(file), contents.fresh);
                const auto recovered = recoverUnfinishedRewrites(spare);
                ASSERT_EQ(recovered.size(), 1u);
                EXPECT_EQ(recovered[0].outcome, RecoveredRewrite::Outcome::Finished);
                EXPECT_EQ(readFile(file), contents.fresh);
                EXPECT_EQ(entriesIn(spare), 0u);
                continue;
            }
            if (failing == RewriteStep::Reserve && contents.fresh.size() < contents.old.size()) {
                // A shorter file needs no room: there is no such step.
                ASSERT_TRUE(result.ok) << result.error;
                EXPECT_EQ(readFile(file), contents.fresh);
                EXPECT_EQ(entriesIn(spare), 0u);
                continue;
            }
            ASSERT_FALSE(result.ok);
            EXPECT_EQ(readFile(file), contents.old);
            EXPECT_EQ(result.file, file);
            EXPECT_TRUE(result.keptOriginal.empty());
            if (failing == RewriteStep::NewCopy) {
                EXPECT_TRUE(result.spareCopy.empty());
            } else {
                ASSERT_FALSE(result.spareCopy.empty());
                EXPECT_EQ(readFile(result.spareCopy), contents.fresh);
                EXPECT_NE(result.error.find(result.spareCopy.string()), std::string::npos);
                std::filesystem::remove(result.spareCopy);
            }
            // Nothing else is left, and a start finds nothing to do.
            EXPECT_EQ(entriesIn(spare), 0u);
            EXPECT_TRUE(recoverUnfinishedRewrites(spare).empty());
        }
    }
}

// A kill before each step, in a child process, then a start: the file is the old one,
// or the new one once it had arrived whole.
TEST_F(InPlaceRewrite, AKillBetweenAnyTwoStepsIsUndoneAtTheNextStart) {
    for (const Contents& contents : kContents) {
        for (const RewriteStep killedAt : kSteps) {
            SCOPED_TRACE(static_cast<int>(killedAt));
            writeFile(file, contents.old);
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                setRewriteHookForTesting([&](RewriteStep step) {
                    if (step == killedAt)
                        ::raise(SIGKILL);
                    return true;
                });
                rewriteInPlace(file, contents.fresh, spare);
                ::_exit(0);
            }
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
            const bool noSuchStep =
                killedAt == RewriteStep::Reserve && contents.fresh.size() < contents.old.size();
            EXPECT_EQ(killed, !noSuchStep);

            const std::string before = readFile(file);
            const std::vector<RecoveredRewrite> recovered = recoverUnfinishedRewrites(spare);
            const std::string after = readFile(file);
            // Never a mix: before the first byte is written the old file, once the new
            // contents are whole the new one, and in between either.
            const bool untouched = killedAt < RewriteStep::Write && !noSuchStep;
            const bool arrived = killedAt >= RewriteStep::Flush || noSuchStep;
            EXPECT_TRUE(after == contents.old || after == contents.fresh);
            EXPECT_TRUE(!untouched || after == contents.old);
            EXPECT_TRUE(!arrived || after == contents.fresh);
            if (before != after) {
                // What the kill tore, the start put back, and says so.
                ASSERT_EQ(recovered.size(), 1u);
                EXPECT_EQ(recovered[0].outcome, RecoveredRewrite::Outcome::Restored);
                EXPECT_EQ(recovered[0].file, file);
            }
            // Only the new contents' copy of a killed rewrite may stay (a copy within
            // the count), and no journal.
            std::error_code none;
            for (const auto& entry : std::filesystem::directory_iterator(spare, none)) {
                EXPECT_EQ(entry.path().string().find(".rewrite"), std::string::npos)
                    << entry.path();
            }
            std::filesystem::remove_all(spare);
        }
    }
}

TEST_F(InPlaceRewrite, AFullDiskFailsBeforeTheOldBytesAreTouched) {
    const std::filesystem::path small = dir / "small";
    std::filesystem::create_directory(small);
    if (::geteuid() != 0 || ::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no small file system to fill here";
    const std::filesystem::path linked = small / "Mireto.ini";
    const std::string old(8000, 'o');
    writeFile(linked, old);
    std::filesystem::create_hard_link(linked, small / "other name.ini");
    // Fill what is left but a few pages.
    writeFile(small / "filler", std::string(64 * 1024 - 8000 - 3 * 4096, 'f'));
    const std::string fresh(40000, 'n');
    const FileWriteResult result = rewriteInPlace(linked, fresh, spare);
    const std::string after = readFile(linked);
    ::umount(small.c_str());
    ASSERT_FALSE(result.ok);
    EXPECT_EQ(result.errorNumber, ENOSPC);
    EXPECT_EQ(after, old);
    EXPECT_EQ(readFile(result.spareCopy), fresh);
}

TEST_F(InPlaceRewrite, AStartKeepsCopiesWithinTheCountAndLeavesWhatARunningProgramHolds) {
    std::filesystem::create_directories(spare);
    for (std::size_t n = 0; n < kKeptCopies + 5; ++n) {
        const auto copy = spare / ("memo.txt." + std::to_string(100000 + n));
        writeFile(copy, "copy");
        std::filesystem::last_write_time(copy, std::filesystem::file_time_type::clock::now() -
                                                   std::chrono::hours(100 - n));
    }
    // A journal's temporary file, long left.
    writeFile(spare / ".memo.txt.AAAAAA.rewrite.BBBBBB", "half a journal");
    std::filesystem::last_write_time(spare / ".memo.txt.AAAAAA.rewrite.BBBBBB",
                                     std::filesystem::file_time_type::clock::now() -
                                         std::chrono::hours(1));
    EXPECT_TRUE(recoverUnfinishedRewrites(spare).empty());
    EXPECT_EQ(entriesIn(spare), kKeptCopies);
    // The newest stay.
    EXPECT_TRUE(std::filesystem::exists(spare / ("memo.txt." + std::to_string(100000 + 24))));
    EXPECT_FALSE(std::filesystem::exists(spare / "memo.txt.100000"));
}

} // namespace
} // namespace mireto::test
