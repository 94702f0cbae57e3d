// The one way every file operation of the program reports its outcome: a
// Result that holds either what the operation gives back or a Failure that
// says why it refused or failed. The sentence the user reads is made from a
// Failure in one place (records/FileMessages.h).
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace records {

// Why a file operation did not happen.
enum class FileError {
    Missing,            // no such file (and not to be created)
    Exists,             // a file that was to be new is there already
    NotRegular,         // a folder, FIFO, device or socket
    ReadOnly,           // no write permission, or a read-only medium
    Busy,               // another program held the lock for longer than the wait
    HardLinked,         // several names share the file: replacing it would part them
    FolderNotWritable,  // no temporary file can be made beside it
    OwnerNotKept,       // replacing it would give it another owner
    NotALogbook,        // the file is not a logbook
    Full,               // the file holds all the entries it can
    Gone,               // what the user chose is no longer in the file
    Changed,            // another program changed what the user confirmed
    WriteFailed         // any other failure to write, sync or rename
};

struct Failure {
    FileError reason = FileError::WriteFailed;
    std::string owner;  // OwnerNotKept: the file owner's user name
    bool operator==(const Failure&) const = default;
};

// What an operation gives back, or why it did not happen.
template <class T>
class Result {
  public:
    Result(T value) : v_(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : v_(std::in_place_index<1>, std::move(failure)) {}
    Result(FileError reason) : v_(std::in_place_index<1>, Failure{reason, {}}) {}

    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }
    bool has_value() const { return ok(); }
    T& operator*() { return std::get<0>(v_); }
    const T& operator*() const { return std::get<0>(v_); }
    T* operator->() { return &std::get<0>(v_); }
    const T* operator->() const { return &std::get<0>(v_); }
    // Only on failure.
    const Failure& failure() const { return std::get<1>(v_); }
    std::optional<FileError> reason() const {
        return ok() ? std::nullopt : std::optional<FileError>(failure().reason);
    }

  private:
    std::variant<T, Failure> v_;
};

// An operation that gives nothing back but success.
template <>
class Result<void> {
  public:
    Result() = default;
    Result(Failure failure) : failure_(std::move(failure)) {}
    Result(FileError reason) : failure_(Failure{reason, {}}) {}

    bool ok() const { return !failure_; }
    explicit operator bool() const { return ok(); }
    const Failure& failure() const { return *failure_; }
    std::optional<FileError> reason() const {
        return failure_ ? std::optional<FileError>(failure_->reason) : std::nullopt;
    }

  private:
    std::optional<Failure> failure_;
};

using Status = Result<void>;

}  // namespace records
