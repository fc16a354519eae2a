#include "platform/regular_file.h"
#include "settings/settings_file.h"
#include "settings/template_exchange.h"

namespace mireto {

SharedFile ReadSharedFile(const std::filesystem::path& path) {
    SharedFile file;
    // Read as start-up reads Mireto.ini: a regular file within the size limit.
    const FileReadResult read = readRegularFile(path, kMaxSettingsFileBytes);
    switch (read.status) {
    case ReadStatus::Ok:
        break;
    case ReadStatus::Missing:
        file.status = SharedFile::Status::Missing;
        return file;
    case ReadStatus::NotAFile:
        file.status = SharedFile::Status::NotAFile;
        return file;
    case ReadStatus::TooLarge:
    case ReadStatus::Failed:
        file.status = SharedFile::Status::Unreadable;
        return file;
    }
    return ReadSharedBytes(read.bytes);
}

} // namespace mireto
