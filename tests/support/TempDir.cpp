#include "TempDir.h"

#include <unistd.h>

#include <atomic>
#include <random>
#include <string>

namespace testsupport {

TempDir::TempDir() {
    namespace fs = std::filesystem;
    previous_ = fs::current_path();
    std::random_device rd;
    for (;;) {
        path_ = fs::temp_directory_path() /
                ("aerokit-test-" + std::to_string(::getpid()) + "-" + std::to_string(rd()));
        if (fs::create_directory(path_)) break;
    }
    fs::current_path(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
    std::filesystem::remove_all(path_, ec);
}

}  // namespace testsupport
