// Reading a whole file that has to be an ordinary one of bounded size. What is not a
// regular file (a folder, a FIFO, a device) is refused without being opened for long,
// a file larger than the caller allows is refused unread, and a read that fails part-way
// is refused rather than half used.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace mireto {

enum class ReadStatus { Ok, Missing, NotAFile, TooLarge, Failed };

struct FileReadResult {
    ReadStatus status = ReadStatus::Failed;
    std::string bytes; // the whole file when Ok
    int error = 0;     // the system's error number when Failed
};

// Links are followed to what they name. Missing is for a path where nothing is (or
// whose folder is not one); anything else that cannot be read is Failed.
FileReadResult readRegularFile(const std::filesystem::path& path, std::size_t maxBytes);

} // namespace mireto
