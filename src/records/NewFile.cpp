#include "records/NewFile.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

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

void syncDirectoryOf(const std::string& path) {
    std::error_code ec;
    const auto dir = std::filesystem::absolute(path, ec).parent_path();
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

NewFileResult createNewFile(const std::string& path, std::string_view content) {
    if (path.empty()) return NewFileResult::Failed;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) return NewFileResult::Exists;
    std::vector<char> temp(path.begin(), path.end());
    for (char c : std::string_view(".XXXXXX")) temp.push_back(c);
    temp.push_back('\0');
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return NewFileResult::Failed;
    // mkstemp makes the file private; give it the usual mode for new files.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    bool ok = writeAll(fd, content) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    NewFileResult result = ok ? NewFileResult::Created : NewFileResult::Failed;
    if (ok) {
        // Moves the file in only where nothing stands: a file created there
        // meanwhile is never replaced.
        if (::renameat2(AT_FDCWD, temp.data(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) {
            syncDirectoryOf(path);
            return NewFileResult::Created;
        }
        if (errno == EEXIST) {
            result = NewFileResult::Exists;
        } else if (::link(temp.data(), path.c_str()) == 0) {
            ::unlink(temp.data());
            syncDirectoryOf(path);
            return NewFileResult::Created;
        } else {
            result = errno == EEXIST ? NewFileResult::Exists : NewFileResult::Failed;
        }
    }
    ::unlink(temp.data());
    return result;
}

}  // namespace records
