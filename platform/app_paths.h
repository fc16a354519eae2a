// Where Mireto.ini and tmp.html live, and which file a start reads, for the editor and
// mireto-convert alike: one rule, so that both find the same settings.
//
// A build or an unpacked copy keeps its files beside the executable (the portable
// layout). An installed program, or one whose folder cannot take files, keeps them in
// the user's data folder (~/.local/share/mireto). Either way, a start without a
// Mireto.ini of the user's own reads the starter settings shipped with the program
// (share/mireto/starter.ini beside bin/, also in a build tree) and never writes them.
#pragma once

#include <filesystem>

namespace mireto {

struct AppPaths {
    // The user's own settings: read at start-up when there is one, written at exit.
    std::filesystem::path settingsFile;
    // Read instead while settingsFile does not exist: for an installed program a
    // Mireto.ini beside the executable, otherwise the starter settings; empty when
    // there is neither.
    std::filesystem::path startingSettingsFile;
    // Overwritten by every GO!!.
    std::filesystem::path pageFile;
    // Where a file that has to be rewritten in place (one with other hard links, or in a
    // folder that takes no new file) is first copied whole: the user's data folder.
    std::filesystem::path spareFolder;

    // The file start-up reads: the user's own whenever something is there, even a
    // file that cannot be read (which start-up then reports), else the starting one.
    std::filesystem::path fileToRead() const;
};

// The starter settings relative to the executable's folder, as installed.
std::filesystem::path starterRelativeToExecutable();

// The folder the build installs the programs in (/usr/bin for the package).
std::filesystem::path installedExecutableFolder();

// The rule, for an executable in `executableFolder` and a user whose data folder is
// `userDataFolder`; an executable in `installFolder` counts as installed even where it
// could write (as root). Creates nothing but a probe file, removed at once.
AppPaths resolveAppPaths(const std::filesystem::path& executableFolder,
                         const std::filesystem::path& userDataFolder,
                         const std::filesystem::path& installFolder = installedExecutableFolder());

// $XDG_DATA_HOME/mireto, or ~/.local/share/mireto.
std::filesystem::path userDataDirectory();

// The rule for the running program.
AppPaths appPaths();

} // namespace mireto
