// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <string>

namespace mireto::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

// Sets or clears a file's or folder's immutable flag: the one way to keep root from
// adding files to a folder (the files already in it stay writable), or from writing a
// file. False where the file system or the user may not.
bool setImmutable(const std::filesystem::path& path, bool on);

} // namespace mireto::test
