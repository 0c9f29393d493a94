#include "cli/measure_interrupt.h"

#include "cli/progress_line.h"

#include <poll.h>
#include <pthread.h>
#include <unistd.h>
#include <cerrno>
#include <ctime>
#include <iostream>

namespace orlavex::cli {

Interrupt::Interrupt(bool progress) : progress_(progress) {
    sigemptyset(&held_);
    sigaddset(&held_, SIGINT);
    pthread_sigmask(SIG_BLOCK, &held_, &before_);
}

Interrupt::~Interrupt() {
    const timespec none{0, 0};
    while (sigtimedwait(&held_, nullptr, &none) > 0) {
    }
    pthread_sigmask(SIG_SETMASK, &before_, nullptr);
}

void Interrupt::check() {
    const timespec none{0, 0};
    if (sigtimedwait(&held_, nullptr, &none) == SIGINT) throw Interrupted();
}

void Interrupt::ask(const std::string& question) {
    std::cerr << question << " (Enter to go on, Ctrl-C to stop) " << std::flush;
    std::string line;
    for (;;) {
        check();
        pollfd p{STDIN_FILENO, POLLIN, 0};
        const int n = ::poll(&p, 1, 100);
        if (n < 0 && errno != EINTR) throw std::runtime_error("cannot read the answer");
        if (n <= 0) continue;
        char c = 0;
        const ssize_t got = ::read(STDIN_FILENO, &c, 1);
        if (got <= 0) throw std::runtime_error("no answer at the prompt (end of input)");
        if (c == '\n') return;
    }
}

// The progress line on a terminal, counting the calibration's and the DUT's
// frequencies together.
std::shared_ptr<void> Interrupt::watch(std::function<std::size_t()> completed, std::size_t total) {
    if (!progress_) return nullptr;
    return std::make_shared<ProgressLine>(
        "measure", "frequencies",
        [completed = std::move(completed), total] {
            return Progress{completed(), total};
        },
        stderr_display());
}

}  // namespace orlavex::cli
