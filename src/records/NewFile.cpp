#include "records/NewFile.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "records/RecordFile.h"

namespace records {
namespace {

bool writeAll(int fd, std::string_view content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Moves temp to path only where nothing stands: a file created there
// meanwhile is never replaced. File systems without renameat2 get a link,
// which fails the same way on an existing name.
Status moveIntoPlace(const std::string& temp, const std::string& path) {
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0)
        return {};
    if (errno == EEXIST) return FileError::Exists;
    if (::link(temp.c_str(), path.c_str()) == 0) {
        ::unlink(temp.c_str());
        return {};
    }
    return errno == EEXIST ? FileError::Exists : FileError::WriteFailed;
}

}  // namespace

Status createNewFile(const std::string& path, std::string_view content) {
    if (path.empty()) return FileError::Missing;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) return FileError::Exists;
    // The program's one kind of temporary file, beside the new file, so a
    // crash leftover is cleared like any other.
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    const std::string folder = parent.empty() ? std::string(".") : parent.string();
    removeStaleTemporaryFiles(folder);
    const auto temp = createTemporaryFile(folder);
    if (!temp) return temp.failure();
    // Made private; the new file gets the usual mode for new files.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    bool ok = ::fchmod(temp->fd, 0666 & ~mask) == 0;
    ok = ok && writeAll(temp->fd, content) && ::fsync(temp->fd) == 0;
    // The descriptor, and with it the lock that keeps the stale-file cleanup
    // away, is held until the file has its name or is gone.
    const Status result = ok ? moveIntoPlace(temp->path, path) : Status(FileError::WriteFailed);
    if (result)
        syncFolder(folder);
    else
        ::unlink(temp->path.c_str());
    ::close(temp->fd);
    return result;
}

}  // namespace records
