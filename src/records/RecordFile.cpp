#include "records/RecordFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace records {
namespace {

std::optional<std::uint64_t> gWriteBudget;

// fwrite that honours the failing-device seam: it writes what the budget
// allows and then fails, as a full disk would.
bool checkedWrite(std::FILE* f, const Byte* data, std::size_t len) {
    std::size_t allowed = len;
    if (gWriteBudget)
        allowed = static_cast<std::size_t>(std::min<std::uint64_t>(*gWriteBudget, len));
    const std::size_t written = allowed ? std::fwrite(data, 1, allowed, f) : 0;
    if (gWriteBudget) *gWriteBudget -= written;
    if (written != len) return false;
    return std::fflush(f) == 0;
}

}  // namespace

void setWriteFailureAfter(std::optional<std::uint64_t> bytes) { gWriteBudget = bytes; }

bool fileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

RecordFile::~RecordFile() { close(); }

RecordFile::RecordFile(RecordFile&& o) noexcept
    : f_(o.f_), recLen_(o.recLen_), readOnly_(o.readOnly_) {
    o.f_ = nullptr;
}

RecordFile& RecordFile::operator=(RecordFile&& o) noexcept {
    if (this != &o) {
        close();
        f_ = o.f_;
        recLen_ = o.recLen_;
        readOnly_ = o.readOnly_;
        o.f_ = nullptr;
    }
    return *this;
}

std::optional<RecordFile> RecordFile::open(const std::string& path, std::size_t recordLength,
                                           Mode mode) {
    if (recordLength == 0 || path.empty()) return std::nullopt;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return std::nullopt;
    std::FILE* f = nullptr;
    if (mode == Mode::ReadOnly) {
        f = std::fopen(path.c_str(), "rb");
    } else {
        f = std::fopen(path.c_str(), "r+b");
        // Create only when absent: "w+b" on an existing file would truncate it.
        if (!f && errno == ENOENT && mode == Mode::CreateIfMissing)
            f = std::fopen(path.c_str(), "w+b");
    }
    if (!f) return std::nullopt;
    RecordFile rf;
    rf.f_ = f;
    rf.recLen_ = recordLength;
    rf.readOnly_ = mode == Mode::ReadOnly;
    return rf;
}

std::uint64_t RecordFile::sizeBytes() const {
    if (!f_) return 0;
    struct stat st {};
    if (::fstat(::fileno(f_), &st) != 0) return 0;
    return static_cast<std::uint64_t>(st.st_size);
}

bool RecordFile::readRange(std::int64_t first, std::size_t count, std::vector<Byte>& out) {
    // Only the part past the end is zero-filled: a large read should not
    // touch its buffer twice.
    out.resize(count * recLen_);
    if (!f_ || first < 1) {
        std::fill(out.begin(), out.end(), Byte{0});
        return false;
    }
    // Positioned reads straight from the descriptor: one system call per
    // range and no stdio buffer in between. Writes are flushed as they are
    // made, so the descriptor always sees them.
    const auto offset = static_cast<off_t>(static_cast<std::uint64_t>(first - 1) * recLen_);
    std::size_t got = 0;
    bool ok = true;
    const int fd = ::fileno(f_);
    while (got < out.size()) {
        const ssize_t n =
            ::pread(fd, out.data() + got, out.size() - got, offset + static_cast<off_t>(got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;  // the end of the file: the rest reads as zeros
        got += static_cast<std::size_t>(n);
    }
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(got), out.end(), Byte{0});
    return ok;
}

bool RecordFile::read(std::int64_t n, std::vector<Byte>& out) { return readRange(n, 1, out); }

std::vector<Byte> RecordFile::read(std::int64_t n) {
    std::vector<Byte> out;
    read(n, out);
    return out;
}

bool RecordFile::write(std::int64_t n, ConstByteSpan data) {
    if (!f_ || readOnly_ || n < 1 || data.size() != recLen_) return false;
    const auto offset = static_cast<std::uint64_t>(n - 1) * recLen_;
    if (std::fseek(f_, static_cast<long>(offset), SEEK_SET) != 0) return false;
    return checkedWrite(f_, data.data(), data.size());
}

bool RecordFile::close() {
    if (!f_) return true;
    const bool ok = std::fclose(f_) == 0;
    f_ = nullptr;
    return ok;
}

bool replaceFileAtomically(const std::string& path, const std::string& tempPath,
                           ConstByteSpan content) {
    std::error_code ec;
    if (tempPath.empty() || tempPath == path) return false;
    std::FILE* f = std::fopen(tempPath.c_str(), "wb");
    if (!f) return false;
    bool ok = checkedWrite(f, content.data(), content.size());
    ok = ok && ::fsync(::fileno(f)) == 0;
    ok = (std::fclose(f) == 0) && ok;
    if (ok) {
        std::filesystem::rename(tempPath, path, ec);
        ok = !ec;
    }
    if (ok) {
        // The rename itself must reach the disk too: sync the directory.
        const auto dir = std::filesystem::absolute(path, ec).parent_path();
        const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }
    if (!ok) std::filesystem::remove(tempPath, ec);
    return ok;
}

}  // namespace records
