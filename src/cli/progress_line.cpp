#include "cli/progress_line.h"

#include <condition_variable>
#include <mutex>

#include <unistd.h>

namespace orlavex::cli {

namespace {

void write_all(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n <= 0) return;  // a progress line is not worth an error
        text.remove_prefix(static_cast<std::size_t>(n));
    }
}

// Back to the start of the line and clear it.
constexpr std::string_view clear_line = "\r\x1b[K";

}  // namespace

ProgressDisplay stderr_display() {
    ProgressDisplay d;
    d.fd = STDERR_FILENO;
    d.terminal = ::isatty(STDERR_FILENO) == 1;
    return d;
}

ProgressDisplay stderr_display_beside_rows() {
    ProgressDisplay d = stderr_display();
    d.terminal = d.terminal && ::isatty(STDOUT_FILENO) != 1;
    return d;
}

std::string progress_text(std::string_view what, std::string_view unit, Progress p,
                          std::chrono::seconds elapsed) {
    std::string text = "orlavex-cli: " + std::string(what);
    if (p.total > 0) {
        text += ", " + std::to_string(p.done) + " of " + std::to_string(p.total) + " " +
                std::string(unit) + " (" + std::to_string(100 * p.done / p.total) + " %)";
    }
    return text + ", " + std::to_string(elapsed.count()) + " s";
}

ProgressLine::ProgressLine(std::string what, std::string unit, std::function<Progress()> how_far,
                           ProgressDisplay display)
    : what_(std::move(what)),
      unit_(std::move(unit)),
      how_far_(std::move(how_far)),
      display_(display) {
    if (display_.terminal) thread_ = std::jthread([this](std::stop_token stop) { show(stop); });
}

ProgressLine::~ProgressLine() {
    if (thread_.joinable()) {
        thread_.request_stop();
        thread_.join();
    }
    if (shown_) write_all(display_.fd, clear_line);
}

void ProgressLine::show(std::stop_token stop) {
    const auto start = std::chrono::steady_clock::now();
    std::mutex mutex;
    std::condition_variable_any wake;
    std::unique_lock lock(mutex);
    // Woken early only by the stop request.
    wake.wait_for(lock, stop, display_.after, [] { return false; });
    while (!stop.stop_requested()) {
        const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(
            std::chrono::steady_clock::now() - start);
        write_all(display_.fd,
                  std::string(clear_line) + progress_text(what_, unit_, how_far_(), elapsed));
        shown_ = true;
        wake.wait_for(lock, stop, display_.every, [] { return false; });
    }
}

}  // namespace orlavex::cli
