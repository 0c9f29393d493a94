// The user's source command: how its end is reported, SIGINT held back in
// it, and a stop asked for while it ran taken once it has finished.
#include "instruments/source_switch.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace orlavex::instruments {
namespace {

// A control that stops the run when asked after STOP is set.
class Stopping final : public RunControl {
  public:
    bool stop = false;
    void check() override {
        if (stop) throw Interrupted();
    }
    void ask(const std::string&) override { check(); }
};

std::string log_path() {
    return ::testing::TempDir() + "source-command-" + std::to_string(::getpid()) + ".log";
}

std::string read_all(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct CommandCase {
    const char* name;
    std::string command;  // {state} and LOG replaced
    bool stop;            // the control asks to stop
    const char* fails;    // the message holds it; empty: set succeeds
    bool interrupted;     // set throws Interrupted
    const char* log;      // the log afterwards
};

TEST(SourceCommand, EndsReportedAndSigintHeldBack) {
    // clang-format off
    const CommandCase cases[] = {
        {"switches", "echo {state} >> LOG", false, "", false, "on\n"},
        {"exit status", "echo {state} >> LOG; exit 3", false, "failed (status 3)", false, "on\n"},
        {"killed", "echo {state} >> LOG; kill -TERM $$", false, "failed (signal 15)", false,
         "on\n"},
        {"its own SIGINT held", "kill -INT $$; echo {state} >> LOG", false, "", false, "on\n"},
        {"stop after it finished", "sleep 0.05; echo {state} >> LOG", true, "", true, "on\n"},
    };
    // clang-format on
    const std::string log = log_path();
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(log);
        std::string command = c.command;
        command.replace(command.find("LOG"), 3, log);
        Stopping control;
        control.stop = c.stop;
        CommandSourceSwitch source(command, control);
        try {
            source.set(true);
            EXPECT_FALSE(c.interrupted);
            EXPECT_STREQ(c.fails, "");
        } catch (const Interrupted&) {
            EXPECT_TRUE(c.interrupted);
        } catch (const InstrumentError& e) {
            EXPECT_NE(std::string(e.what()).find(c.fails), std::string::npos) << e.what();
            EXPECT_NE(std::string(c.fails), "");
        }
        EXPECT_EQ(read_all(log), c.log);
        // Switching off once more is never stopped, only failed.
        EXPECT_EQ(source.make_safe(), std::string(c.fails).empty());
        EXPECT_EQ(read_all(log), std::string(c.log) + "off\n");
    }
    std::filesystem::remove(log);
}

}  // namespace
}  // namespace orlavex::instruments
