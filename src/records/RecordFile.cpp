#include "records/RecordFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>
#include <thread>
#include <utility>

namespace records {
namespace {

std::optional<std::uint64_t> gWriteBudget;
std::function<bool(Step)> gFailpoint;
std::chrono::milliseconds gLockWait{2000};
std::function<void(const std::string&)> gAfterLock;
std::function<void()> gLockWaitStep;

// Temporary files are ".aerokit-" + 8 letters + ".tmp": short, so that a
// target whose name is as long as the file system allows still gets one.
constexpr std::string_view kTempPrefix = ".aerokit-";
constexpr std::string_view kTempSuffix = ".tmp";
constexpr std::size_t kTempRandom = 8;

bool failsAt(Step step) { return gFailpoint && gFailpoint(step); }

// pwrite of the whole span that honours the failing-device seam: it writes
// what the budget allows and then fails, as a full disk would.
bool budgetedWrite(int fd, const Byte* data, std::size_t len, std::uint64_t offset) {
    std::size_t allowed = len;
    if (gWriteBudget)
        allowed = static_cast<std::size_t>(std::min<std::uint64_t>(*gWriteBudget, len));
    std::size_t written = 0;
    while (written < allowed) {
        const ssize_t n =
            ::pwrite(fd, data + written, allowed - written, static_cast<off_t>(offset + written));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        written += static_cast<std::size_t>(n);
    }
    if (gWriteBudget) *gWriteBudget -= written;
    return written == len;
}

bool checkedWrite(int fd, const Byte* data, std::size_t len, std::uint64_t offset) {
    return !failsAt(Step::Write) && budgetedWrite(fd, data, len, offset);
}

// Copies len bytes of `from` at fromOffset to `to` at toOffset inside the
// kernel; through a buffer where the file system cannot. Honours the
// failing device's budget; the failpoint was asked for the whole content.
bool budgetedCopy(int from, std::uint64_t fromOffset, int to, std::uint64_t toOffset,
                  std::uint64_t len) {
    const std::uint64_t allowed = gWriteBudget ? std::min(*gWriteBudget, len) : len;
    std::uint64_t done = 0;
    while (done < allowed) {
        auto in = static_cast<off_t>(fromOffset + done);
        auto out = static_cast<off_t>(toOffset + done);
        const ssize_t n = ::copy_file_range(from, &in, to, &out, allowed - done, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && done == 0 &&
            (errno == EXDEV || errno == EOPNOTSUPP || errno == ENOSYS || errno == EINVAL))
            break;  // not offered here: copied through a buffer below
        if (n <= 0) {
            if (gWriteBudget) *gWriteBudget -= done;
            return false;
        }
        done += static_cast<std::uint64_t>(n);
    }
    if (done > 0 || len == 0) {
        if (gWriteBudget) *gWriteBudget -= done;
        return done == len;
    }
    std::vector<Byte> buffer;
    while (done < len) {
        buffer.resize(static_cast<std::size_t>(std::min<std::uint64_t>(len - done, 1 << 20)));
        const ssize_t n =
            ::pread(from, buffer.data(), buffer.size(), static_cast<off_t>(fromOffset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0 ||
            !budgetedWrite(to, buffer.data(), static_cast<std::size_t>(n), toOffset + done))
            return false;
        done += static_cast<std::uint64_t>(n);
    }
    return true;
}

bool syncFd(int fd) {
    if (failsAt(Step::Sync)) return false;
    return ::fsync(fd) == 0;
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

FileError openError(int err) {
    switch (err) {
        case ENOENT:
        case ENOTDIR:
            return FileError::Missing;
        case EACCES:
        case EPERM:
        case EROFS:
        case ETXTBSY:
            return FileError::ReadOnly;
        case EISDIR:
        case ENXIO:
        case ENODEV:
            return FileError::NotRegular;
        default:
            return FileError::WriteFailed;
    }
}

std::string userName(uid_t uid) {
    std::vector<char> buffer(16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return found->pw_name;
    return "user " + std::to_string(uid);
}

void syncFolder(const std::filesystem::path& dir) {
    // The rename itself must reach the disk too. Best effort: the new
    // content is in place whether or not this succeeds.
    if (failsAt(Step::SyncFolder)) return;
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string randomLetters() {
    static constexpr char letters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 gen{std::random_device{}() ^ static_cast<std::uint64_t>(::getpid())
                                                                  << 32};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof letters - 2);
    std::string s(kTempRandom, 'a');
    for (char& c : s) c = letters[pick(gen)];
    return s;
}

bool isTemporaryName(std::string_view name) {
    if (name.size() != kTempPrefix.size() + kTempRandom + kTempSuffix.size()) return false;
    return name.substr(0, kTempPrefix.size()) == kTempPrefix &&
           name.substr(name.size() - kTempSuffix.size()) == kTempSuffix;
}

// Makes a new private temporary file in dir; -1 with error set when it cannot.
int createTemporary(const std::filesystem::path& dir, std::filesystem::path& made,
                    FileError& error) {
    if (failsAt(Step::CreateTemporary)) {
        error = FileError::FolderNotWritable;
        return -1;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        made = dir / (std::string(kTempPrefix) + randomLetters() + std::string(kTempSuffix));
        // O_EXCL and O_NOFOLLOW: nothing already at that name, a planted link
        // included, can take the write.
        const int fd =
            ::open(made.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            // Held until the file is renamed or removed, so that a cleanup of
            // stale files never takes one that is being written.
            ::flock(fd, LOCK_EX);
            return fd;
        }
        if (errno == EEXIST) continue;
        error = (errno == EACCES || errno == EPERM || errno == EROFS) ? FileError::FolderNotWritable
                                                                      : FileError::WriteFailed;
        return -1;
    }
    error = FileError::WriteFailed;
    return -1;
}

}  // namespace

void setWriteFailureAfter(std::optional<std::uint64_t> bytes) { gWriteBudget = bytes; }
void setFailpoint(std::function<bool(Step)> failpoint) { gFailpoint = std::move(failpoint); }

void setLockWaitStep(std::function<void()> step) { gLockWaitStep = std::move(step); }
void setLockWait(std::chrono::milliseconds wait) { gLockWait = wait; }
void setAfterLock(std::function<void(const std::string&)> hook) { gAfterLock = std::move(hook); }

Result<TemporaryFile> createTemporaryFile(const std::string& folder) {
    std::filesystem::path made;
    FileError why = FileError::WriteFailed;
    const int fd = createTemporary(folder.empty() ? "." : folder, made, why);
    if (fd < 0) return why;
    return TemporaryFile{fd, made.string()};
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

RecordFile::~RecordFile() { close(); }

RecordFile::RecordFile(RecordFile&& o) noexcept
    : fd_(o.fd_), recLen_(o.recLen_), readOnly_(o.readOnly_), created_(o.created_) {
    o.fd_ = -1;
}

RecordFile& RecordFile::operator=(RecordFile&& o) noexcept {
    if (this != &o) {
        close();
        fd_ = o.fd_;
        recLen_ = o.recLen_;
        readOnly_ = o.readOnly_;
        created_ = o.created_;
        o.fd_ = -1;
    }
    return *this;
}

std::optional<RecordFile> RecordFile::open(const std::string& path, std::size_t recordLength,
                                           Mode mode) {
    if (recordLength == 0 || path.empty()) return std::nullopt;
    // A FIFO or device would block or misbehave: only regular files (or a
    // name not yet taken, for creation) are opened.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return std::nullopt;
    int fd = -1;
    if (mode == Mode::ReadOnly) {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } else {
        fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        // Create only when absent, never truncating.
        if (fd < 0 && errno == ENOENT && mode == Mode::CreateIfMissing)
            fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    }
    if (fd < 0) return std::nullopt;
    RecordFile rf;
    rf.fd_ = fd;
    rf.recLen_ = recordLength;
    rf.readOnly_ = mode == Mode::ReadOnly;
    return rf;
}

Result<RecordFile> RecordFile::openLocked(const std::string& path, std::size_t recordLength,
                                          Mode mode) {
    if (recordLength == 0 || path.empty() || mode == Mode::ReadOnly) return FileError::WriteFailed;
    const auto deadline = std::chrono::steady_clock::now() + gLockWait;
    const auto pause = std::chrono::milliseconds(5);
    for (;;) {
        struct stat st {};
        bool created = false;
        int fd = -1;
        if (::stat(path.c_str(), &st) == 0) {
            if (!S_ISREG(st.st_mode)) return FileError::NotRegular;
            fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
        } else if (errno == ENOENT && mode == Mode::CreateIfMissing) {
            fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd < 0 && errno == EEXIST && std::chrono::steady_clock::now() < deadline)
                continue;  // made by another just now
            if (fd < 0) {
                // No file yet: a refusal is the folder's, not the file's.
                const FileError why = openError(errno);
                return why == FileError::ReadOnly ? FileError::FolderNotWritable : why;
            }
            created = true;
        } else {
            return openError(errno);
        }
        if (fd < 0) {
            // Replaced between stat and open: look again.
            if (errno == ENOENT && std::chrono::steady_clock::now() < deadline) continue;
            return openError(errno);
        }
        RecordFile rf;
        rf.fd_ = fd;
        rf.recLen_ = recordLength;
        rf.created_ = created;
        struct stat held {};
        if (::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode)) return FileError::NotRegular;
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        if ((held.st_mode & 0222) == 0) return FileError::ReadOnly;
        bool locked = false, busy = false;
        while (!(locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0)) {
            if (errno != EWOULDBLOCK && errno != EINTR) break;
            busy = std::chrono::steady_clock::now() >= deadline;
            if (busy) break;
            if (gLockWaitStep) gLockWaitStep();
            std::this_thread::sleep_for(pause);
        }
        if (!locked) return busy ? FileError::Busy : FileError::WriteFailed;
        // The file may have been replaced (a removal renames a new logbook
        // over it) while we waited: then lock the one the path names now.
        struct stat now {};
        if (::stat(path.c_str(), &now) == 0 && sameFile(now, held)) {
            if (gAfterLock) gAfterLock(path);
            return rf;
        }
        if (std::chrono::steady_clock::now() >= deadline) return FileError::Busy;
    }
}

std::uint64_t RecordFile::sizeBytes() const {
    if (fd_ < 0) return 0;
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return 0;
    return static_cast<std::uint64_t>(st.st_size);
}

bool RecordFile::readRange(std::int64_t first, std::size_t count, std::vector<Byte>& out) {
    // Only the part past the end is zero-filled: a large read should not
    // touch its buffer twice.
    out.resize(count * recLen_);
    if (fd_ < 0 || first < 1) {
        std::fill(out.begin(), out.end(), Byte{0});
        return false;
    }
    // Positioned reads straight from the descriptor: one system call per
    // range and no buffer in between.
    const auto offset = static_cast<off_t>(static_cast<std::uint64_t>(first - 1) * recLen_);
    std::size_t got = 0;
    bool ok = true;
    while (got < out.size()) {
        const ssize_t n =
            ::pread(fd_, out.data() + got, out.size() - got, offset + static_cast<off_t>(got));
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
    if (fd_ < 0 || readOnly_ || n < 1 || data.size() != recLen_) return false;
    const auto offset = static_cast<std::uint64_t>(n - 1) * recLen_;
    return checkedWrite(fd_, data.data(), data.size(), offset);
}

bool RecordFile::sync() {
    if (fd_ < 0 || readOnly_) return false;
    return syncFd(fd_);
}

bool RecordFile::truncate(std::uint64_t bytes) {
    if (fd_ < 0 || readOnly_) return false;
    if (sizeBytes() <= bytes) return true;
    if (failsAt(Step::Truncate)) return false;
    return ::ftruncate(fd_, static_cast<off_t>(bytes)) == 0;
}

void RecordFile::discardCreated(const std::string& path) {
    if (fd_ >= 0 && created_) {
        struct stat held {
        }, named{};
        if (::fstat(fd_, &held) == 0 && ::stat(path.c_str(), &named) == 0 && sameFile(held, named))
            ::unlink(path.c_str());
    }
    close();
}

Status RecordFile::replaceContent(const std::string& path, ConstByteSpan content) {
    return replaceContent(path, content, {});
}

Status RecordFile::replaceContent(const std::string& path, ConstByteSpan head,
                                  const std::vector<Range>& kept) {
    namespace fs = std::filesystem;
    if (fd_ < 0 || readOnly_) return FileError::WriteFailed;
    std::error_code ec;
    // The temporary file goes beside the real file, so a link keeps
    // pointing at the logbook and the rename stays within one file system.
    const fs::path target = fs::canonical(path, ec);
    if (ec) return FileError::WriteFailed;
    struct stat held {
    }, named{};
    if (::fstat(fd_, &held) != 0 || ::stat(target.c_str(), &named) != 0 || !sameFile(held, named))
        return FileError::WriteFailed;
    if (held.st_nlink > 1) return FileError::HardLinked;
    const fs::path dir = target.parent_path();
    removeStaleTemporaryFiles(dir.string());

    fs::path temp;
    FileError why = FileError::WriteFailed;
    const int tfd = createTemporary(dir, temp, why);
    if (tfd < 0) return why;
    // Owner and group first: changing them clears set-id bits, which the
    // mode then puts back. Root can give any owner; others only keep theirs,
    // so a file of another owner (a logbook shared through its group) cannot
    // be replaced by them: nothing is written and the owner is named.
    if (held.st_uid != ::geteuid() || held.st_gid != ::getegid()) {
        if (::fchown(tfd, held.st_uid, held.st_gid) != 0) {
            const bool owner = errno == EPERM && held.st_uid != ::geteuid();
            ::unlink(temp.c_str());
            ::close(tfd);
            if (owner) return Failure{FileError::OwnerNotKept, userName(held.st_uid)};
            return FileError::WriteFailed;
        }
    }
    bool ok = checkedWrite(tfd, head.data(), head.size(), 0);
    std::uint64_t at = head.size();
    for (const Range& r : kept) {
        ok = ok && budgetedCopy(fd_, r.offset, tfd, at, r.length);
        at += r.length;
    }
    ok = ok && ::fchmod(tfd, held.st_mode & 07777) == 0;
    ok = ok && syncFd(tfd);
    if (ok && failsAt(Step::Rename)) ok = false;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    ::close(tfd);
    if (!ok) return FileError::WriteFailed;
    syncFolder(dir);
    // The old file has left the folder, and its lock guards nothing now
    // (openLocked finds the new file under the name). Its last close frees
    // all its blocks, milliseconds for a large logbook: a thread of its own
    // does that, so the caller does not wait for it.
    const int old = std::exchange(fd_, -1);
    try {
        std::thread([old] { ::close(old); }).detach();
    } catch (const std::system_error&) {
        ::close(old);
    }
    return {};
}

bool RecordFile::close() {
    if (fd_ < 0) return true;
    const bool ok = ::close(fd_) == 0;
    fd_ = -1;
    return ok;
}

Status replaceFile(const std::string& path, ConstByteSpan content) {
    auto f = RecordFile::openLocked(path, 1, RecordFile::Mode::CreateIfMissing);
    if (!f) return f.failure();
    Status done = f->replaceContent(path, content);
    if (!done) f->discardCreated(path);
    return done;
}

void removeStaleTemporaryFiles(const std::string& folder) {
    DIR* d = ::opendir(folder.c_str());
    if (!d) return;
    const int dfd = ::dirfd(d);
    while (const dirent* e = ::readdir(d)) {
        const std::string_view name(e->d_name);
        if (!isTemporaryName(name)) continue;
        // Never follow a link, never block on a FIFO: only our own regular files.
        const int fd = ::openat(dfd, e->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat held {
        }, named{};
        // A writer holds its temporary file locked until it is renamed: a
        // file we can lock is one that a crash left behind.
        if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && held.st_nlink == 1 &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(dfd, e->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 && sameFile(held, named))
            ::unlinkat(dfd, e->d_name, 0);
        ::close(fd);
    }
    ::closedir(d);
}

}  // namespace records
