// Switching the noise source during a measurement: through the analyzer's
// own drive output, a SCPI power supply, a command the user gives ({state}
// replaced by on or off), or by asking the user.
#pragma once

#include "instruments/profile.h"
#include "instruments/resource.h"
#include "instruments/run_control.h"
#include "instruments/scpi.h"
#include "instruments/transport.h"

#include <memory>
#include <string>

namespace orlavex::instruments {

class SourceSwitch {
  public:
    virtual ~SourceSwitch() = default;
    virtual void prepare() {}
    // Throws InstrumentError, TransportError or Interrupted.
    virtual void set(bool on) = 0;
    // The source off once more after a failure, over a new connection where
    // the old one may be out of step; false when that failed too.
    virtual bool make_safe() = 0;
};

// Through a SCPI instrument (the analyzer or a supply), by PROFILE's
// source_on and source_off.
class ScpiSourceSwitch final : public SourceSwitch {
  public:
    // SHARED: the analyzer's connection, when the source is on its drive
    // output; null to open one of its own.
    ScpiSourceSwitch(Resource resource, Profile profile, Milliseconds timeout, Scpi* shared);
    void prepare() override;
    void set(bool on) override;
    bool make_safe() override;

  private:
    Resource resource_;
    Profile profile_;
    Milliseconds timeout_;
    std::unique_ptr<Transport> own_transport_;
    std::unique_ptr<Scpi> own_;
    Scpi* scpi_;
};

// Runs the user's command (through /bin/sh) with {state} as on or off. The
// command always finishes, whatever comes meanwhile: SIGINT is held back in
// it, and the run's control is asked whether to stop once it has ended.
class CommandSourceSwitch final : public SourceSwitch {
  public:
    CommandSourceSwitch(std::string command, RunControl& control)
        : command_(std::move(command)), control_(control) {}
    void set(bool on) override;
    bool make_safe() override;

  private:
    // Throws InstrumentError when the command fails.
    void run(bool on) const;

    std::string command_;
    RunControl& control_;
};

// Asks the user (through the run's control) and waits for the answer.
class PromptSourceSwitch final : public SourceSwitch {
  public:
    explicit PromptSourceSwitch(RunControl& interrupt) : interrupt_(interrupt) {}
    void set(bool on) override;
    bool make_safe() override;

  private:
    RunControl& interrupt_;
    bool on_ = false;
};

}  // namespace orlavex::instruments
