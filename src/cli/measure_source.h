// Switching the noise source for `measure`: through the analyzer's own
// drive output, a SCPI power supply, a command the user gives ({state}
// replaced by on or off), or by asking at the terminal.
#pragma once

#include "cli/measure_interrupt.h"
#include "instruments/profile.h"
#include "instruments/resource.h"
#include "instruments/scpi.h"
#include "instruments/transport.h"

#include <memory>
#include <string>

namespace orlavex::cli {

class SourceSwitch {
  public:
    virtual ~SourceSwitch() = default;
    virtual void prepare() {}
    // Throws instruments::InstrumentError, TransportError or Interrupted.
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
    ScpiSourceSwitch(instruments::Resource resource, instruments::Profile profile,
                     instruments::Milliseconds timeout, instruments::Scpi* shared);
    void prepare() override;
    void set(bool on) override;
    bool make_safe() override;

  private:
    instruments::Resource resource_;
    instruments::Profile profile_;
    instruments::Milliseconds timeout_;
    std::unique_ptr<instruments::Transport> own_transport_;
    std::unique_ptr<instruments::Scpi> own_;
    instruments::Scpi* scpi_;
};

// Runs the user's command (through /bin/sh) with {state} as on or off.
class CommandSourceSwitch final : public SourceSwitch {
  public:
    explicit CommandSourceSwitch(std::string command) : command_(std::move(command)) {}
    void set(bool on) override;
    bool make_safe() override;

  private:
    std::string command_;
};

// Asks at the terminal and waits for Enter.
class PromptSourceSwitch final : public SourceSwitch {
  public:
    explicit PromptSourceSwitch(Interrupt& interrupt) : interrupt_(interrupt) {}
    void set(bool on) override;
    bool make_safe() override;

  private:
    Interrupt& interrupt_;
    bool on_ = false;
};

}  // namespace orlavex::cli
