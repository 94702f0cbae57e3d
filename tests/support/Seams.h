// Scoped test seams of the record files: each lifts itself when it goes, so
// a failing check cannot leave it set for the tests that follow.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Bytes.h"
#include "records/RecordFile.h"

namespace testsupport {

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
