// A command line run through /bin/sh and waited for, as the source switch
// runs the user's command: a child of its own (posix_spawn), SIGINT held
// back in it so that a Ctrl+C meant for the run cannot cut it short, and
// the wait resumed after any signal that interrupts it. Unlike system(),
// the caller's own handling of SIGINT is left alone: a Ctrl+C that comes
// meanwhile stays pending for the caller to see.
#pragma once

#include <string>

namespace orlavex::instruments {

// How a command ended.
struct ShellEnd {
    bool started = false;
    int exit_code = -1;  // when it exited
    int signal = 0;      // the signal that ended it, or 0
    bool ok() const { return started && signal == 0 && exit_code == 0; }
};

ShellEnd run_shell(const std::string& command);

// "status 3", "signal 15" or "could not be started", for a message.
std::string shell_end_text(const ShellEnd& end);

}  // namespace orlavex::instruments
