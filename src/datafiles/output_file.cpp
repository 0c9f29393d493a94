#include "datafiles/output_file.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstring>
#include <ctime>
#include <random>

namespace orlavex::datafiles {

namespace {

namespace fs = std::filesystem;

// Links followed before giving up, as the system itself does.
constexpr int most_links = 40;

// A temporary file is named TARGET.partial-PID-N: its writer's process and
// a random number, so that two programs saving one file at once each write
// a whole file (the last to finish wins) and a killed writer's leftovers
// can be told from a running one's.
constexpr std::string_view partial_marker = ".partial-";

std::string system_reason(int error) {
    return std::strerror(error);
}

fs::path folder_of(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// The file FILE names once its symbolic links are followed, or why they
// cannot be.
struct Target {
    fs::path path;
    std::string refusal;
};

Target target_of(fs::path file) {
    for (int hop = 0; hop < most_links; ++hop) {
        struct stat link {};
        if (::lstat(file.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return {file, {}};
        std::error_code error;
        const fs::path next = fs::read_symlink(file, error);
        if (error) return {file, error.message()};
        file = next.is_absolute() ? next : folder_of(file) / next;
    }
    return {file, system_reason(ELOOP)};
}

std::string kind_refusal(mode_t mode) {
    if (S_ISDIR(mode)) return "it is a folder";
    if (S_ISFIFO(mode)) return "it is a FIFO, not a regular file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a regular file";
    if (S_ISSOCK(mode)) return "it is a socket, not a regular file";
    return "it is not a regular file";
}

std::string target_refusal(const fs::path& target) {
    struct stat file {};
    if (::stat(target.c_str(), &file) == 0) {
        if (!S_ISREG(file.st_mode)) return kind_refusal(file.st_mode);
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

// Whether REST ("PID-N" of a temporary file's name) names a writer that no
// longer runs.
bool left_by_ended_writer(std::string_view rest) {
    const char* const last = rest.data() + rest.size();
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(rest.data(), last, pid);
    if (error != std::errc() || pid <= 0 || end == last || *end != '-') return false;
    const std::string_view number(end + 1, static_cast<std::size_t>(last - end - 1));
    if (number.empty() || !std::ranges::all_of(number, [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    return pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH;
}

void remove_stale_partials(const fs::path& target) {
    const std::string prefix = target.filename().string() + std::string(partial_marker);
    std::error_code listing;
    for (fs::directory_iterator entry(folder_of(target), listing), end; !listing && entry != end;
         entry.increment(listing)) {
        const std::string name = entry->path().filename().string();
        std::error_code ignored;
        if (!name.starts_with(prefix) || !entry->is_regular_file(ignored) || entry->is_symlink())
            continue;
        if (left_by_ended_writer(std::string_view(name).substr(prefix.size())))
            fs::remove(entry->path(), ignored);
    }
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

// The replaced file's owner (where this process may give it: root may give
// any) and permissions, given to the file that replaces it.
void keep_owner_and_mode(int descriptor, const struct stat& old) {
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        if (::fchown(descriptor, old.st_uid, old.st_gid) != 0 &&
            ::fchown(descriptor, static_cast<uid_t>(-1), old.st_gid) != 0) {
            // Kept as this process's own: it may not give the file away.
        }
    }
    if (::fchmod(descriptor, old.st_mode & 07777) != 0) {
        // A file this process has just made can always take its mode.
    }
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
    const Target target = target_of(file);
    return target.refusal.empty() ? target_refusal(target.path) : target.refusal;
}

std::string write_output_file(const fs::path& file, std::string_view bytes) {
    const Target target = target_of(file);
    if (!target.refusal.empty()) return target.refusal;
    if (std::string why = target_refusal(target.path); !why.empty()) return why;
    remove_stale_partials(target.path);
    struct stat old {};
    const bool replacing = ::stat(target.path.c_str(), &old) == 0;
    fs::path temporary;
    const int descriptor = create_beside(target.path, temporary);
    if (descriptor < 0) return system_reason(errno == EEXIST ? EAGAIN : errno);
    if (replacing) keep_owner_and_mode(descriptor, old);
    int failure = write_all(descriptor, bytes);
    if (failure == 0 && ::fsync(descriptor) != 0) failure = errno;
    if (::close(descriptor) != 0 && failure == 0) failure = errno;
    if (failure == 0 && ::rename(temporary.c_str(), target.path.c_str()) != 0) failure = errno;
    if (failure == 0) return {};
    ::unlink(temporary.c_str());
    return system_reason(failure);
}

}  // namespace orlavex::datafiles
