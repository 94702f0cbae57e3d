// What the fuzz targets that work on files share: a scratch folder of the
// process's own, the starting file put in place, the file read back, and
// records read as the record files read them (zero-filled past the end).
#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

namespace fuzzfiles {

using Bytes = std::vector<std::uint8_t>;

// Stops the run with the broken rule named, so the crash report says which.
inline void require(bool holds, const char* rule) {
    if (holds) return;
    std::fprintf(stderr, "fuzz oracle violated: %s\n", rule);
    std::abort();
}

// A folder under the temporary folder made for this process, removed at exit.
// The path is never destroyed: the exit handler runs after the destructors
// of statics made after it was registered.
inline const std::filesystem::path& scratchDir() {
    static const std::filesystem::path* const dir = [] {
        std::string name =
            (std::filesystem::temp_directory_path() / "aerokit-fuzz-XXXXXX").string();
        require(::mkdtemp(name.data()) != nullptr, "a scratch folder can be made");
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(scratchDir(), ec);
        });
        return new std::filesystem::path(name);
    }();
    return *dir;
}

inline std::string scratchPath(const std::string& name) { return (scratchDir() / name).string(); }

// Empties the scratch folder (whatever an earlier run left there) and writes
// bytes as the file at path inside it.
inline void put(const std::string& path, const Bytes& bytes) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(scratchDir(), ec))
        std::filesystem::remove_all(entry.path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    require(out.good(), "the starting file can be written");
}

// The whole file (empty when it cannot be read). Plain reads, not a byte at
// a time: the targets' own code is instrumented too.
inline Bytes get(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return {};
    Bytes out(static_cast<std::size_t>(in.tellg()));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
    out.resize(static_cast<std::size_t>(in.gcount()));
    return out;
}

// Record n (from 1) of file, len bytes, completed with zeros past the end.
inline Bytes record(const Bytes& file, std::size_t len, std::int64_t n) {
    Bytes out(len, 0);
    const std::size_t from = static_cast<std::size_t>(n - 1) * len;
    if (from < file.size())
        std::memcpy(out.data(), file.data() + from, std::min(len, file.size() - from));
    return out;
}

// Whether both files hold at least n bytes and agree on the first n.
inline bool samePrefix(const Bytes& a, const Bytes& b, std::size_t n) {
    return a.size() >= n && b.size() >= n && std::equal(a.begin(), a.begin() + n, b.begin());
}

// Runs with the scratch folder as working directory for the calls that work
// on bare file names, and goes back afterwards: libFuzzer writes its crash
// files to the working directory.
class InScratchDir {
  public:
    InScratchDir() : back_(::open(".", O_RDONLY | O_DIRECTORY)) {
        require(back_ >= 0 && ::chdir(scratchDir().c_str()) == 0, "the scratch folder is entered");
    }
    ~InScratchDir() {
        require(::fchdir(back_) == 0, "the working folder is restored");
        ::close(back_);
    }
    InScratchDir(const InScratchDir&) = delete;
    InScratchDir& operator=(const InScratchDir&) = delete;

  private:
    int back_;
};

}  // namespace fuzzfiles
