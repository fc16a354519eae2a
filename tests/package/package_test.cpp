// The Debian package, built from this build tree by CPack and unpacked into a folder:
// its fields, its files, the unpacked converter finding the starter settings, and what
// Debian expects beside the programs: manual pages true to --help, AppStream metadata,
// the copyright file and changelog, and the shell completion.
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

#include <ctime>
#include <fnmatch.h>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sstream>

namespace mireto::test {
namespace {

// Width and height from a PNG file's header.
std::pair<int, int> pngSize(const std::string& bytes) {
    auto at = [&](std::size_t offset) {
        int value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value = value << 8 | static_cast<unsigned char>(bytes.at(offset + i));
        return value;
    };
    return {at(16), at(20)};
}

// The long options a text names: --help's list, or a manual page once its escaped
// hyphens are plain.
std::set<std::string> longOptions(std::string text) {
    for (std::size_t at = 0; (at = text.find("\\-", at)) != std::string::npos;)
        text.replace(at, 2, "-");
    std::set<std::string> options;
    const std::regex option("--[a-z][a-z-]*[a-z]");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option);
         it != std::sregex_iterator(); ++it)
        options.insert(it->str());
    return options;
}

// A file compressed as Debian wants it: gzip without the file's name or time, so that
// the same text always gives the same bytes. Gives the text.
std::string debianGunzip(const std::filesystem::path& file) {
    const std::string bytes = readFile(file);
    EXPECT_GE(bytes.size(), 10u) << file;
    if (bytes.size() < 10)
        return {};
    EXPECT_EQ(bytes.substr(0, 3), "\x1f\x8b\x08") << file;
    EXPECT_EQ(bytes[3] & 0x08, 0) << file << " keeps its name";
    EXPECT_EQ(bytes.substr(4, 4), std::string(4, '\0')) << file << " keeps a time";
    const ProgramResult text = runProgram("gzip", {"-dc", file.string()});
    EXPECT_EQ(text.status, 0) << text.err;
    return text.out;
}

// The names under one heading of `mireto-convert --list`.
std::vector<std::string> listed(const std::string& list, const std::string& heading) {
    std::vector<std::string> names;
    std::istringstream lines(list);
    bool inside = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("  ", 0) == 0) {
            if (inside)
                names.push_back(line.substr(2));
        } else {
            inside = line == heading + ":";
        }
    }
    return names;
}

class Package : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = new TempDir;
        const ProgramResult packed =
            runProgram(MIRETO_CPACK, {"-G", "DEB", "--config", MIRETO_CPACK_CONFIG, "-B",
                                      folder->path().string()});
        ASSERT_EQ(packed.status, 0) << packed.out << packed.err;
        deb = *folder / ("mireto_" MIRETO_PACKAGE_VERSION "_amd64.deb");
        ASSERT_TRUE(std::filesystem::is_regular_file(deb)) << packed.out;
        root = *folder / "root";
        const ProgramResult unpacked = runProgram("dpkg-deb", {"-x", deb.string(), root.string()});
        ASSERT_EQ(unpacked.status, 0) << unpacked.err;
    }
    static void TearDownTestSuite() {
        delete folder;
        folder = nullptr;
    }
    void SetUp() override {
        if (!std::filesystem::is_directory(root))
            GTEST_SKIP() << "the package was not built";
    }

    static std::string field(const std::string& name) {
        const ProgramResult result = runProgram("dpkg-deb", {"-f", deb.string(), name});
        EXPECT_EQ(result.status, 0) << result.err;
        return result.out;
    }

    static inline TempDir* folder = nullptr;
    static inline std::filesystem::path deb;
    static inline std::filesystem::path root;
};

TEST_F(Package, NamesItselfAndTheLibrariesItNeeds) {
    EXPECT_EQ(field("Package"), "mireto\n");
    EXPECT_EQ(field("Version"), MIRETO_PACKAGE_VERSION "\n");
    EXPECT_EQ(field("Architecture"), "amd64\n");
    // Worked out by dpkg-shlibdeps from what the programs link.
    const std::string depends = field("Depends");
    for (const char* library : {"libc6", "libstdc++6", "libqt6widgets6", "libqt6printsupport6"})
        EXPECT_NE(depends.find(library), std::string::npos) << library << " in " << depends;
}

TEST_F(Package, HoldsBothProgramsTheirPagesTheDesktopEntryTheIconsAndTheStarter) {
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_directory())
            files.insert(std::filesystem::relative(entry.path(), root).string());
    }
    std::set<std::string> expected = {
        "usr/bin/mireto",
        "usr/bin/mireto-convert",
        "usr/share/applications/mireto.desktop",
        "usr/share/bash-completion/completions/mireto-convert",
        "usr/share/doc/mireto/changelog.Debian.gz",
        "usr/share/doc/mireto/copyright",
        "usr/share/man/man1/mireto-convert.1.gz",
        "usr/share/man/man1/mireto.1.gz",
        "usr/share/metainfo/org.example.mireto.metainfo.xml",
        "usr/share/mireto/starter.ini",
    };
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const std::string icon = "usr/share/icons/hicolor/" + std::to_string(size) + "x" +
                                 std::to_string(size) + "/apps/mireto.png";
        expected.insert(icon);
        EXPECT_EQ(pngSize(readFile(root / icon)), std::make_pair(size, size)) << icon;
    }
    EXPECT_EQ(files, expected);

    for (const char* program : {"usr/bin/mireto", "usr/bin/mireto-convert"}) {
        const auto permissions = std::filesystem::status(root / program).permissions();
        EXPECT_NE(permissions & std::filesystem::perms::others_exec, std::filesystem::perms::none)
            << program;
    }
    EXPECT_EQ(readFile(root / "usr/share/mireto/starter.ini"), readFile(MIRETO_STARTER_FILE));

    // Offered for plain text, started with the file.
    const std::string desktop = readFile(root / "usr/share/applications/mireto.desktop");
    for (const char* line : {"\nExec=mireto %f\n", "\nIcon=mireto\n", "\nMimeType=text/plain;\n"})
        EXPECT_NE(desktop.find(line), std::string::npos) << line;
}

TEST_F(Package, TheUnpackedConverterFindsTheStarterSets) {
    const std::filesystem::path bin = root / "usr" / "bin";
    const ProgramResult list = runProgram((bin / "mireto-convert").string(), {"--list"});
    ASSERT_EQ(list.status, 0) << list.err;
    for (const char* name : {"  猫になる\n", "  スレ住人\n", "  お嬢様\n", "  関西弁\n"})
        EXPECT_NE(list.out.find(name), std::string::npos) << name << list.out;
    EXPECT_FALSE(std::filesystem::exists(bin / "Mireto.ini"));
}

TEST_F(Package, ManualPagesAreMadeFromEachProgramsHelp) {
    for (const std::string program : {"mireto", "mireto-convert"}) {
        SCOPED_TRACE(program);
        const std::string page = debianGunzip(root / "usr/share/man/man1" / (program + ".1.gz"));
        // Both answer without a display, before anything starts.
        const ProgramResult help = runProgram((root / "usr/bin" / program).string(), {"--help"});
        ASSERT_EQ(help.status, 0) << help.err;
        ASSERT_FALSE(longOptions(help.out).empty());
        // Every option --help lists, and no other (the hand-written sections included).
        EXPECT_EQ(longOptions(page), longOptions(help.out));
        EXPECT_NE(page.find("\"" + program + " " MIRETO_VERSION "\""), std::string::npos) << page;
        EXPECT_NE(page.find(".SH FILES"), std::string::npos);
        const std::string other = program == "mireto" ? "mireto\\-convert" : "mireto";
        EXPECT_NE(page.find(".BR " + other + " (1)"), std::string::npos) << page;
    }
}

// The day of the changelog's newest entry, as YYYY-MM-DD.
std::string changelogDay(const std::filesystem::path& changelog) {
    const ProgramResult stamp =
        runProgram("dpkg-parsechangelog", {"-l", changelog.string(), "-S", "Timestamp"});
    EXPECT_EQ(stamp.status, 0) << stamp.err;
    const std::time_t time = std::stoll("0" + stamp.out);
    std::tm day{};
    gmtime_r(&time, &day);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &day);
    return text;
}

TEST_F(Package, TheChangelogNamesThisVersion) {
    const std::string changelog = debianGunzip(root / "usr/share/doc/mireto/changelog.Debian.gz");
    EXPECT_EQ(changelog.rfind("mireto (" MIRETO_PACKAGE_VERSION ") ", 0), 0u) << changelog;
    EXPECT_EQ(changelog, readFile(MIRETO_SOURCE_DIR "/packaging/changelog"));
}

TEST_F(Package, SoftwareCentresFindAValidEntry) {
    const std::filesystem::path metainfo =
        root / "usr/share/metainfo/org.example.mireto.metainfo.xml";
    const ProgramResult valid =
        runProgram("appstreamcli", {"validate", "--pedantic", "--no-net", metainfo.string()});
    EXPECT_EQ(valid.status, 0) << valid.out << valid.err;
    const ProgramResult entry = runProgram(
        "desktop-file-validate", {(root / "usr/share/applications/mireto.desktop").string()});
    EXPECT_EQ(entry.status, 0) << entry.out << entry.err;
    EXPECT_EQ(entry.out, "");

    const std::string xml = readFile(metainfo);
    for (const std::string line :
         {"<launchable type=\"desktop-id\">mireto.desktop</launchable>", "<binary>mireto</binary>",
          "<binary>mireto-convert</binary>", "<summary xml:lang=\"ja\">", "<p xml:lang=\"ja\">",
          "<content_rating type=\"oars-1.1\">"})
        EXPECT_NE(xml.find(line), std::string::npos) << line;
    // This version, on the day of the changelog's entry.
    const std::string release = "<release version=\"" MIRETO_VERSION "\" date=\"" +
                                changelogDay(MIRETO_SOURCE_DIR "/packaging/changelog") + "\"";
    EXPECT_NE(xml.find(release), std::string::npos) << release;
    // The site serves docs/: every screenshot is one of its pictures.
    const std::regex image("<image>https://mireto\\.example\\.org/([^<]+)</image>");
    int screenshots = 0;
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), image);
         it != std::sregex_iterator(); ++it, ++screenshots)
        EXPECT_TRUE(std::filesystem::is_regular_file(MIRETO_SOURCE_DIR "/docs/" + (*it)[1].str()))
            << (*it)[1];
    EXPECT_GE(screenshots, 1);
}

// The source files, by path from the top, without build trees and hidden folders.
std::vector<std::string> sourceFiles() {
    const std::filesystem::path top = MIRETO_SOURCE_DIR;
    std::vector<std::string> files;
    for (auto it = std::filesystem::recursive_directory_iterator(top);
         it != std::filesystem::recursive_directory_iterator(); ++it) {
        const std::string name = it->path().filename().string();
        if (it->is_directory() && (name.front() == '.' || name == "node_modules" ||
                                   (it.depth() == 0 && name.rfind("build", 0) == 0))) {
            it.disable_recursion_pending();
        } else if (it->is_regular_file()) {
            files.push_back(std::filesystem::relative(it->path(), top).string());
        }
    }
    return files;
}

TEST_F(Package, CopyrightIsMachineReadableAndCoversWhatIsGenerated) {
    const std::string copyright = readFile(root / "usr/share/doc/mireto/copyright");
    EXPECT_EQ(copyright.rfind("Format: https://www.debian.org/doc/packaging-manuals/"
                              "copyright-format/1.0/\n",
                              0),
              0u);
    // Each paragraph's Files patterns, and its licence: named, with the text in the
    // paragraph or in a paragraph of its own.
    std::vector<std::pair<std::vector<std::string>, std::string>> stanzas;
    std::set<std::string> licenceTexts;
    std::istringstream paragraphs(copyright + "\n");
    std::vector<std::string> files;
    std::string licence;
    bool licenceText = false;
    for (std::string line; std::getline(paragraphs, line);) {
        if (line.empty()) {
            if (!files.empty())
                stanzas.emplace_back(files, licence);
            if (licenceText)
                licenceTexts.insert(licence);
            files.clear();
            licence.clear();
            licenceText = false;
        } else if (line.rfind("Files: ", 0) == 0) {
            std::istringstream patterns(line.substr(7));
            for (std::string pattern; patterns >> pattern;)
                files.push_back(pattern);
        } else if (line.rfind("License: ", 0) == 0) {
            licence = line.substr(9);
        } else if (line.front() == ' ' && !licence.empty()) {
            licenceText = true;
        }
    }
    ASSERT_FALSE(stanzas.empty());
    EXPECT_EQ(stanzas.front().first, std::vector<std::string>{"*"});

    const std::vector<std::string> sources = sourceFiles();
    const auto matches = [](const std::string& pattern, const std::string& path) {
        return fnmatch(pattern.c_str(), path.c_str(), 0) == 0;
    };
    for (const auto& [patterns, name] : stanzas) {
        EXPECT_TRUE(licenceTexts.count(name)) << "no text of the licence " << name;
        for (const std::string& pattern : patterns)
            EXPECT_TRUE(
                std::any_of(sources.begin(), sources.end(),
                            [&](const std::string& path) { return matches(pattern, path); }))
                << "nothing is " << pattern;
    }
    // Generated files say so on their first line; each has a paragraph of its own.
    int generated = 0;
    for (const std::string& path : sources) {
        if (readFile(std::filesystem::path(MIRETO_SOURCE_DIR) / path).rfind("// Generated by", 0) !=
            0)
            continue;
        ++generated;
        EXPECT_TRUE(std::any_of(stanzas.begin() + 1, stanzas.end(), [&](const auto& stanza) {
            return std::any_of(stanza.first.begin(), stanza.first.end(),
                               [&](const std::string& pattern) { return matches(pattern, path); });
        })) << path;
    }
    EXPECT_GE(generated, 1);
}

class Completion : public Package {
protected:
    // What bash offers (as the shell reads each offer back) after the words, the last of
    // them being the one completed.
    static std::vector<std::string> offers(const std::vector<std::string>& words) {
        std::string script =
            "export LC_ALL=C.UTF-8\n"
            "source /usr/share/bash-completion/bash_completion\n"
            "source '" +
            (root / "usr/share/bash-completion/completions/mireto-convert").string() + "'\nPATH='" +
            (root / "usr/bin").string() + "':$PATH\nCOMP_WORDS=(mireto-convert";
        for (const std::string& word : words)
            script += " " + quotedForShell(word);
        script += ")\nCOMP_CWORD=$((${#COMP_WORDS[@]} - 1))\n"
                  "COMP_LINE=\"${COMP_WORDS[*]}\"\nCOMP_POINT=${#COMP_LINE}\n"
                  "_mireto_convert mireto-convert \"${COMP_WORDS[COMP_CWORD]}\" "
                  "\"${COMP_WORDS[COMP_CWORD - 1]}\"\n"
                  "for offer in \"${COMPREPLY[@]}\"; do eval \"printf '%s\\n' $offer\"; done\n";
        const ProgramResult result = runProgram("bash", {"-c", script});
        EXPECT_EQ(result.status, 0) << result.err;
        std::vector<std::string> lines;
        std::istringstream out(result.out);
        for (std::string line; std::getline(out, line);)
            lines.push_back(line);
        return lines;
    }
    static std::string quotedForShell(const std::string& word) {
        std::string quoted = "'";
        for (const char c : word)
            quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return quoted + "'";
    }
    static std::string converter() { return (root / "usr/bin/mireto-convert").string(); }
};

TEST_F(Completion, OffersEveryOptionOfHelp) {
    const ProgramResult help = runProgram(converter(), {"--help"});
    const std::vector<std::string> offered = offers({"--"});
    EXPECT_EQ(std::set<std::string>(offered.begin(), offered.end()), longOptions(help.out));
    EXPECT_EQ(offers({"--enc"}), std::vector<std::string>{"--encoding"});
    EXPECT_EQ(offers({"--encoding", ""}), (std::vector<std::string>{"sjis", "utf-8"}));
}

TEST_F(Completion, OffersThePageStylesThatTheConverterTakes) {
    const std::vector<std::string> styles = {"フォント弄り",
                                             "フォント弄り(背景白)",
                                             "某バーチャルネットアイドル",
                                             "某巨大掲示板群",
                                             "標準的",
                                             "標準的(枠無し)",
                                             "ソルネ屋仕様"};
    EXPECT_EQ(offers({"-f", ""}), styles);
    EXPECT_EQ(offers({"--format", "標準"}), (std::vector<std::string>{"標準的", "標準的(枠無し)"}));
    EXPECT_EQ(offers({"-f", "3"}), std::vector<std::string>{"3"});
    for (const std::string& style : styles) {
        const ProgramResult page = runProgram(converter(), {"-f", style, "--time", "0"}, "猫。\n");
        EXPECT_EQ(page.status, 0) << style << page.err;
    }
}

TEST_F(Completion, OffersTheNamesStoredInTheSettingsFileNamedBefore) {
    const std::string starter = MIRETO_STARTER_FILE;
    const ProgramResult list = runProgram(converter(), {"--settings", starter, "--list"});
    ASSERT_EQ(list.status, 0) << list.err;
    const struct {
        const char* option;
        const char* heading;
    } kinds[] = {{"-t", "Overall templates"},
                 {"--template", "Overall templates"},
                 {"--ending", "Ending sets"},
                 {"--replacement", "Replacement sets"}};
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.option);
        const std::vector<std::string> names = listed(list.out, kind.heading);
        ASSERT_GE(names.size(), 2u);
        EXPECT_EQ(offers({"-s", starter, kind.option, ""}), names);
        EXPECT_EQ(offers({"--settings=" + starter, kind.option, ""}), names);
        const std::string& last = names.back();
        EXPECT_EQ(offers({"-s", starter, kind.option, last}), std::vector<std::string>{last});
    }
    EXPECT_EQ(offers({"-s", starter, "--ending", "お"}), std::vector<std::string>{"お嬢様"});
    // A settings file that does not read offers nothing.
    EXPECT_TRUE(offers({"-s", starter + ".missing", "-t", ""}).empty());
}

} // namespace
} // namespace mireto::test
