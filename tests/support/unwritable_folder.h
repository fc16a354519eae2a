// A folder in which nothing can be made, renamed or removed while the object lives, even
// by root: its permissions are taken away and, where the file system and the process's
// rights allow it, it is marked immutable. When neither holds here (root without the
// right to mark files), isUnwritable() says so and the test skips.
#pragma once

#include <filesystem>

namespace mireto::test {

class UnwritableFolder {
public:
    explicit UnwritableFolder(std::filesystem::path folder);
    ~UnwritableFolder();
    UnwritableFolder(const UnwritableFolder&) = delete;
    UnwritableFolder& operator=(const UnwritableFolder&) = delete;

    // Whether a new file really cannot be made in the folder.
    bool isUnwritable() const { return m_unwritable; }

private:
    std::filesystem::path m_folder;
    bool m_immutable = false;
    bool m_unwritable = false;
};

} // namespace mireto::test
