#include "datafiles/file_bytes.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orlavex::datafiles {
namespace {

#ifdef MAP_POPULATE
constexpr int map_flags = MAP_PRIVATE | MAP_POPULATE;  // every page at once, not fault by fault
#else
constexpr int map_flags = MAP_PRIVATE;
#endif

// FD's bytes from where it stands to its end into TEXT; false on an error.
bool read_all(int fd, std::string& text) {
    char chunk[64 * 1024];
    while (true) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got == 0) return true;
        if (got < 0) return false;
        text.append(chunk, static_cast<std::size_t>(got));
    }
}

}  // namespace

FileBytes::FileBytes(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        const auto size = static_cast<std::size_t>(status.st_size);
        void* const map = ::mmap(nullptr, size, PROT_READ, map_flags, fd, 0);
        if (map != MAP_FAILED) {
            map_ = map;
            mapped_ = size;
            text_ = std::string_view(static_cast<const char*>(map), size);
            ok_ = true;
        }
    }
    if (!ok_ && read_all(fd, read_)) {
        text_ = read_;
        ok_ = true;
    }
    ::close(fd);
}

FileBytes::~FileBytes() {
    if (map_ != nullptr) ::munmap(map_, mapped_);
}

}  // namespace orlavex::datafiles
