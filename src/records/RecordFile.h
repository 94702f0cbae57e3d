// Files of fixed-length records, numbered from 1, with no header.
//
// Opening creates the file when absent and never truncates it. Reading a
// record past the end yields an all-zero record (a partial last record is
// completed with zeros). Writing record n extends the file as needed. Every
// write is checked: a failure is reported through the return value.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "records/Fields.h"

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

    // Flushes and closes; false when the flush fails.
    bool close();

  private:
    std::FILE* f_ = nullptr;
    std::size_t recLen_ = 0;
    bool readOnly_ = false;
};

// Replaces the file at path with content in one step: writes a temporary
// file (tempPath) beside it, flushes and syncs it, then renames it over path.
// On failure path is untouched and the temporary file removed.
bool replaceFileAtomically(const std::string& path, const std::string& tempPath,
                           ConstByteSpan content);

bool fileExists(const std::string& path);

// Test seam in the manner of a failing device: after `bytes` more bytes have
// been written by this process, every write fails. nullopt lifts it.
void setWriteFailureAfter(std::optional<std::uint64_t> bytes);

}  // namespace records
