#include "datafiles/output_file.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <random>

namespace orlavex::datafiles {

namespace {

namespace fs = std::filesystem;

// A temporary file is named TARGET.partial-PID-N: its writer's process and
// a random number, so that two programs saving one file at once each write
// a whole file (the last to finish wins).
constexpr std::string_view partial_marker = ".partial-";

std::string system_reason(int error) {
    return std::strerror(error);
}

fs::path folder_of(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

std::string target_refusal(const fs::path& target) {
    struct stat file {};
    if (::stat(target.c_str(), &file) == 0) {
        if (S_ISDIR(file.st_mode)) return "it is a folder";
        // A file its owner made read-only is not replaced behind its back.
        if (::access(target.c_str(), W_OK) != 0) return system_reason(errno);
    }
    const fs::path folder = folder_of(target);
    struct stat folder_status {};
    if (::stat(folder.c_str(), &folder_status) != 0 || !S_ISDIR(folder_status.st_mode))
        return "there is no folder " + folder.string();
    if (::access(folder.c_str(), W_OK) != 0) return system_reason(errno);
    return {};
}

int create_beside(const fs::path& target, fs::path& temporary) {
    std::random_device random;
    for (int attempt = 0; attempt < 8; ++attempt) {
        temporary = target;
        temporary += std::string(partial_marker) + std::to_string(::getpid()) + "-" +
                     std::to_string(random());
        const int descriptor =
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST) return descriptor;
    }
    return -1;
}

// Holds back, in the calling thread, the signal that a file size limit
// raises (its default ends the program): the write fails with EFBIG
// instead, and a signal so held is taken off before the thread goes on.
class FileSizeSignalHeld {
  public:
    FileSizeSignalHeld() {
        sigemptyset(&signal_);
        sigaddset(&signal_, SIGXFSZ);
        pthread_sigmask(SIG_BLOCK, &signal_, &previous_);
    }
    ~FileSizeSignalHeld() {
        const timespec at_once{};
        while (sigtimedwait(&signal_, nullptr, &at_once) == SIGXFSZ) {
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    FileSizeSignalHeld(const FileSizeSignalHeld&) = delete;
    FileSizeSignalHeld& operator=(const FileSizeSignalHeld&) = delete;

  private:
    sigset_t signal_{}, previous_{};
};

// 0 when all of BYTES went out, else the error.
int write_all(int descriptor, std::string_view bytes) {
    const FileSizeSignalHeld held;
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return errno;
        if (written == 0) return ENOSPC;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

}  // namespace

std::string output_file_refusal(const fs::path& file) {
    return target_refusal(file);
}

std::string write_output_file(const fs::path& file, std::string_view bytes) {
    if (std::string why = target_refusal(file); !why.empty()) return why;
    fs::path temporary;
    const int descriptor = create_beside(file, temporary);
    if (descriptor < 0) return system_reason(errno == EEXIST ? EAGAIN : errno);
    int failure = write_all(descriptor, bytes);
    if (failure == 0 && ::fsync(descriptor) != 0) failure = errno;
    if (::close(descriptor) != 0 && failure == 0) failure = errno;
    if (failure == 0 && ::rename(temporary.c_str(), file.c_str()) != 0) failure = errno;
    if (failure == 0) return {};
    ::unlink(temporary.c_str());
    return system_reason(failure);
}

}  // namespace orlavex::datafiles
