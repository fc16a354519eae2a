// The Debian package, built from this build tree by CPack and unpacked into a folder:
// its fields, its files, and the unpacked converter finding the starter settings.
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <set>

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

class Package : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = new TempDir;
        const ProgramResult packed =
            runProgram(MIRETO_CPACK, {"-G", "DEB", "--config", MIRETO_CPACK_CONFIG, "-B",
                                      folder->path().string()});
        ASSERT_EQ(packed.status, 0) << packed.out << packed.err;
        deb = *folder / ("mireto_" MIRETO_VERSION "_amd64.deb");
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
    EXPECT_EQ(field("Version"), MIRETO_VERSION "\n");
    EXPECT_EQ(field("Architecture"), "amd64\n");
    // Worked out by dpkg-shlibdeps from what the programs link.
    const std::string depends = field("Depends");
    for (const char* library : {"libc6", "libstdc++6", "libqt6widgets6", "libqt6printsupport6"})
        EXPECT_NE(depends.find(library), std::string::npos) << library << " in " << depends;
}

TEST_F(Package, HoldsBothProgramsTheDesktopEntryTheIconsAndTheStarter) {
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_directory())
            files.insert(std::filesystem::relative(entry.path(), root).string());
    }
    std::set<std::string> expected = {
        "usr/bin/mireto",
        "usr/bin/mireto-convert",
        "usr/share/applications/mireto.desktop",
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

} // namespace
} // namespace mireto::test
