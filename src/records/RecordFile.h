// Files of fixed-length records, numbered from 1, with no header.
//
// Opening creates the file when absent and never truncates it. Reading a
// record past the end yields an all-zero record (a partial last record is
// completed with zeros). Writing record n extends the file as needed. Every
// write is checked: a failure is reported through the return value.
//
// Every read-modify-write of a file goes through openLocked(): it holds an
// exclusive advisory lock (flock) on the file for the one event step, so a
// second window or a second Aerokit never writes between its read and its
// write. Whole-file replacement (replaceContent) writes a private temporary
// file beside the real target and renames it over it, keeping the target's
// mode, owner and group.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "records/Fields.h"
#include "records/FileResult.h"

namespace records {

class RecordFile {
  public:
    enum class Mode {
        CreateIfMissing,  // the files' usual way: open for record access, creating it
        ExistingOnly,     // fail when the file is absent; never create
        ReadOnly          // existing file, reads only
    };

    RecordFile() = default;
    ~RecordFile();
    RecordFile(RecordFile&&) noexcept;
    RecordFile& operator=(RecordFile&&) noexcept;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Opens path for records of recordLength bytes; nullopt when it cannot.
    static std::optional<RecordFile> open(const std::string& path, std::size_t recordLength,
                                          Mode mode = Mode::CreateIfMissing);

    // Opens path for writing (mode CreateIfMissing or ExistingOnly) and takes
    // an exclusive lock on it, waiting a little while another holder has it.
    // The lock is taken on the file the path names once it is held: a file
    // replaced meanwhile is let go and the new one locked instead. A file
    // without any write permission bit counts as read-only, for root too.
    // The lock lasts until close().
    static Result<RecordFile> openLocked(const std::string& path, std::size_t recordLength,
                                         Mode mode);

    std::size_t recordLength() const { return recLen_; }
    // The file's length in bytes, as it is now.
    std::uint64_t sizeBytes() const;
    // Whole records the file holds (a partial record at the end is not counted).
    std::uint64_t recordCount() const { return sizeBytes() / recLen_; }

    // Record n (n >= 1) into out (resized to recordLength). False only on an
    // I/O error; a record past the end reads as zeros.
    bool read(std::int64_t n, std::vector<Byte>& out);
    std::vector<Byte> read(std::int64_t n);
    // Records first .. first+count-1 in one go, zero-filled past the end.
    bool readRange(std::int64_t first, std::size_t count, std::vector<Byte>& out);

    // Writes record n (n >= 1); data must be recordLength bytes. Flushed
    // before returning, so a failure shows here, not at close.
    bool write(std::int64_t n, ConstByteSpan data);

    // Writes what is written so far to the disk (fsync).
    bool sync();
    // Cuts the file to bytes (never lengthens it).
    bool truncate(std::uint64_t bytes);
    // Whether openLocked made the file (it did not exist before).
    bool created() const { return created_; }
    // Removes a file this handle created, while it still has that name; for
    // a creation that failed, so that no empty file stays behind. Closes.
    void discardCreated(const std::string& path);

    // Replaces the locked file that path names (links resolved) with content
    // in one step: a private temporary file beside the real target, synced,
    // given the target's mode, owner and group, renamed over it, and the
    // folder synced. A file with several hard links is refused (HardLinked),
    // and so is one whose owner this user cannot give the new file
    // (OwnerNotKept). On failure the file is as it was and the temporary
    // file is gone and the lock stays held until close(). On success the
    // handle is closed: the old file's lock guards nothing after the rename.
    Status replaceContent(const std::string& path, ConstByteSpan content);
    // Bytes [offset, offset + length) of the file as it is.
    struct Range {
        std::uint64_t offset = 0;
        std::uint64_t length = 0;
    };
    // The same, the new content being head followed by the kept ranges of
    // the file's present content, in order. The kept bytes are copied by the
    // kernel (copy_file_range) and never pass through this process.
    Status replaceContent(const std::string& path, ConstByteSpan head,
                          const std::vector<Range>& kept);

    // Flushes and closes; false when the flush fails.
    bool close();

  private:
    int fd_ = -1;
    std::size_t recLen_ = 0;
    bool readOnly_ = false;
    bool created_ = false;
};

// Replaces (or creates) the file at path with content in one step, under
// the file's lock, in the way of RecordFile::replaceContent. A file created
// here that could not be filled is removed again.
Status replaceFile(const std::string& path, ConstByteSpan content);

bool fileExists(const std::string& path);

// A new private temporary file in folder, named in this program's temporary
// pattern (".aerokit-" and 8 letters, ".tmp"), made exclusively and never
// through a link (O_EXCL, O_NOFOLLOW), mode 0600, and locked for as long as
// fd stays open, so that removeStaleTemporaryFiles leaves it alone. The
// caller renames or removes it before closing fd. FolderNotWritable or
// WriteFailed when none can be made.
struct TemporaryFile {
    int fd = -1;
    std::string path;
};
Result<TemporaryFile> createTemporaryFile(const std::string& folder);

// Removes temporary files that a crash left in folder: only regular files
// named in this program's temporary pattern that no one holds locked.
void removeStaleTemporaryFiles(const std::string& folder);

// Test seams.
// In the manner of a failing device: after `bytes` more bytes have been
// written by this process, every write fails. nullopt lifts it.
void setWriteFailureAfter(std::optional<std::uint64_t> bytes);
// A failpoint asked before every step that changes a file; returning true
// makes that step fail as the device would. An empty function lifts it.
enum class Step { Write, Sync, Truncate, CreateTemporary, Rename, SyncFolder };
void setFailpoint(std::function<bool(Step)> failpoint);
// How long openLocked waits for another holder of the lock (about 2 s).
void setLockWait(std::chrono::milliseconds wait);
// Called with the path each time openLocked has taken a lock, before the
// caller reads anything: a test changes the file there as another program
// could have while a question was open. An empty function lifts it.
void setAfterLock(std::function<void(const std::string&)> hook);
// Called each time openLocked finds the lock held by another and is about
// to wait for it. An empty function lifts it.
void setLockWaitStep(std::function<void()> step);

}  // namespace records
