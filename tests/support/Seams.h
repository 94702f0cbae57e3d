// The record files' test seams, each set for one scope: whatever a check
// does (a failing ASSERT or QVERIFY returns at once), the seam is lifted when
// the scope ends, so no later test runs with a failing device, a short lock
// wait or another holder's lock.
#pragma once

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Bytes.h"
#include "records/RecordFile.h"

namespace testsupport {

// Every write fails after `bytes` more bytes (records::setWriteFailureAfter).
class WriteFailureAfter {
  public:
    explicit WriteFailureAfter(std::uint64_t bytes) { records::setWriteFailureAfter(bytes); }
    ~WriteFailureAfter() { records::setWriteFailureAfter(std::nullopt); }
    WriteFailureAfter(const WriteFailureAfter&) = delete;
    WriteFailureAfter& operator=(const WriteFailureAfter&) = delete;
};

// A failpoint asked before every step that changes a file.
class Failpoint {
  public:
    explicit Failpoint(std::function<bool(records::Step)> failpoint) {
        records::setFailpoint(std::move(failpoint));
    }
    ~Failpoint() { records::setFailpoint({}); }
    Failpoint(const Failpoint&) = delete;
    Failpoint& operator=(const Failpoint&) = delete;
};

// How long a writer waits for another holder of the lock; the usual wait
// comes back at the end of the scope.
class LockWait {
  public:
    explicit LockWait(std::chrono::milliseconds wait) { records::setLockWait(wait); }
    ~LockWait() { records::setLockWait(kUsual); }
    LockWait(const LockWait&) = delete;
    LockWait& operator=(const LockWait&) = delete;

    static constexpr std::chrono::milliseconds kUsual{2000};
};

// Another program's exclusive lock on path, on a descriptor of its own,
// until release() or the end of the scope.
class HeldLock {
  public:
    explicit HeldLock(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY)) {
        if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) release();
    }
    ~HeldLock() { release(); }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

    bool held() const { return fd_ >= 0; }
    void release() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

  private:
    int fd_;
};

// Another program's write, made the next time a writer has taken the lock
// and before it reads: what a second Aerokit could have saved while this
// one's question was open. The file keeps its inode, as a write in place.
class WrittenMeanwhile {
  public:
    explicit WrittenMeanwhile(std::vector<std::uint8_t> bytes) {
        records::setAfterLock([bytes = std::move(bytes)](const std::string& path) {
            writeFileBytes(path, bytes);
            records::setAfterLock({});
        });
    }
    ~WrittenMeanwhile() { records::setAfterLock({}); }
    WrittenMeanwhile(const WrittenMeanwhile&) = delete;
    WrittenMeanwhile& operator=(const WrittenMeanwhile&) = delete;
};

}  // namespace testsupport
