#include "datafiles/file_bytes.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orlavex::datafiles {
namespace {

#ifdef MAP_POPULATE
constexpr int memory_flags = MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE;
#else
constexpr int memory_flags = MAP_PRIVATE | MAP_ANONYMOUS;
#endif

constexpr std::size_t huge_page = 2 * 1024 * 1024;
constexpr std::size_t least_capacity = 64 * 1024;  // pipes and files that say they are empty

// LENGTH bytes of fresh memory. Large files take it in huge pages where the
// system gives them, so that the copy costs a fault per 2 MiB, not per page.
void* fresh_memory(std::size_t& length) {
    if (length < huge_page / 2) {
        void* const memory = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, memory_flags, -1, 0);
        return memory == MAP_FAILED ? nullptr : memory;
    }
    length = (length + huge_page - 1) / huge_page * huge_page;
    // Room to start on a huge page's boundary, the rest given back.
    const std::size_t mapped = length + huge_page;
    void* const memory =
        ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(memory);
    const std::uintptr_t aligned = (start + huge_page - 1) / huge_page * huge_page;
    if (aligned > start) ::munmap(memory, aligned - start);
    if (aligned + length < start + mapped)
        ::munmap(reinterpret_cast<void*>(aligned + length), start + mapped - aligned - length);
    void* const result = reinterpret_cast<void*>(aligned);
#ifdef MADV_HUGEPAGE
    ::madvise(result, length, MADV_HUGEPAGE);
#endif
    return result;
}

}  // namespace

FileBytes::FileBytes(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    struct stat status {};
    const bool sized = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    // One byte more than the size, so that the end of an unchanged file is
    // seen without growing; a file that grows or shrinks meanwhile is read
    // as far as it then goes.
    std::size_t wanted = sized ? static_cast<std::size_t>(status.st_size) + 1 : 0;
    ok_ = true;
    while (ok_) {
        if (size_ == capacity_) ok_ = reserve(std::max({wanted, 2 * capacity_, least_capacity}));
        if (!ok_) break;
        const ssize_t got = ::read(fd, static_cast<char*>(memory_) + size_, capacity_ - size_);
        if (got == 0) break;
        if (got < 0 && errno != EINTR) ok_ = false;
        if (got > 0) size_ += static_cast<std::size_t>(got);
        wanted = 0;
    }
    ::close(fd);
}

FileBytes::~FileBytes() {
    if (memory_ != nullptr) ::munmap(memory_, capacity_);
}

bool FileBytes::reserve(std::size_t needed) {
    void* const grown = fresh_memory(needed);
    if (grown == nullptr) return false;
    if (memory_ != nullptr) {
        std::memcpy(grown, memory_, size_);
        ::munmap(memory_, capacity_);
    }
    memory_ = grown;
    capacity_ = needed;
    return true;
}

}  // namespace orlavex::datafiles
