// Writing the page file and handing it to the opener.
#include "convert/standard_html_converter.h"
#include "page_test_support.h"
#include "tests/support/temp_dir.h"

#include <sys/stat.h>

namespace mireto::test {
namespace {

class PageFile : public ::testing::Test {
protected:
    FileWriteResult run(const std::filesystem::path& path) {
        converter.setInputs(endings, replacements, text);
        converter.setClock([] { return std::time_t{1031227620}; });
        return converter.run(path, [this](const std::filesystem::path& p) { opened.push_back(p); });
    }

    TempDir dir;
    EndingSet endings;
    ReplacementSet replacements;
    std::string text = sjis("ページ。");
    StandardHtmlConverter converter{StandardColours{}, 0};
    std::vector<std::filesystem::path> opened;
};

TEST_F(PageFile, WritesThePageExactlyAndOpensIt) {
    const auto page = dir / "tmp.html";
    writeFile(page, "an older, much longer page that must not leave a tail behind");
    const FileWriteResult result = run(page);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(readFile(page), converter.output());
    EXPECT_EQ(opened, std::vector<std::filesystem::path>{page});
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST_F(PageFile, UnwritableFolderGivesNoPageAndOpensNothing) {
    writeFile(dir / "not-a-folder", "x");
    const FileWriteResult result = run(dir / "not-a-folder" / "tmp.html");
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_TRUE(opened.empty());
}

TEST_F(PageFile, ALinkAtThePageNameIsReplacedNotFollowed) {
    const auto victim = dir / "victim.txt";
    writeFile(victim, "keep me");
    std::filesystem::create_symlink(victim, dir / "tmp.html");
    ASSERT_TRUE(run(dir / "tmp.html").ok);
    EXPECT_EQ(readFile(victim), "keep me");
    EXPECT_FALSE(std::filesystem::is_symlink(dir / "tmp.html"));
}

TEST_F(PageFile, WriteProtectedPageIsLeftAlone) {
    const auto page = dir / "tmp.html";
    writeFile(page, "old");
    ::chmod(page.c_str(), 0444);
    EXPECT_FALSE(run(page).ok);
    EXPECT_EQ(readFile(page), "old");
    EXPECT_TRUE(opened.empty());
}

TEST_F(PageFile, InterruptedWriteLeavesTheOldPage) {
    const auto page = dir / "tmp.html";
    writeFile(page, "old");
    setAtomicWriteHookForTesting([](const std::filesystem::path&) { return false; });
    const FileWriteResult result = run(page);
    setAtomicWriteHookForTesting({});
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(readFile(page), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

} // namespace
} // namespace mireto::test
