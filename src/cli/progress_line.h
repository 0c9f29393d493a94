// How far a long run has come, on standard error while it is a terminal:
// one line rewritten in place, shown only once the run passes a second so
// that short runs (and scripts, which get no terminal) see nothing.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

namespace orlavex::cli {

struct Progress {
    std::size_t done = 0;
    std::size_t total = 0;  // 0: not known, the line shows the time only
};

struct ProgressDisplay {
    int fd = 2;
    bool terminal = false;  // false: show nothing
    std::chrono::milliseconds after{1000};
    std::chrono::milliseconds every{250};
};

// Standard error, shown only when it is a terminal.
ProgressDisplay stderr_display();
// As stderr_display, but silent while standard output is a terminal as
// well: rows written there as they are computed would tear the line.
ProgressDisplay stderr_display_beside_rows();

// "orlavex-cli: sweep, 523 of 1001 points (52 %), 3 s"
std::string progress_text(std::string_view what, std::string_view unit, Progress progress,
                          std::chrono::seconds elapsed);

class ProgressLine {
  public:
    // WHAT names the run ("sweep"), UNIT what HOW_FAR counts ("points").
    // HOW_FAR is called from another thread.
    ProgressLine(std::string what, std::string unit, std::function<Progress()> how_far,
                 ProgressDisplay display);
    // Stops and clears the line, if it was shown.
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

  private:
    void show(std::stop_token stop);

    std::string what_, unit_;
    std::function<Progress()> how_far_;
    ProgressDisplay display_;
    bool shown_ = false;
    std::jthread thread_;  // last: started once the rest is in place
};

}  // namespace orlavex::cli
