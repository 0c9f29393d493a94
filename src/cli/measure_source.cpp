#include "cli/measure_source.h"

#include <sys/wait.h>
#include <algorithm>
#include <cstdlib>

namespace orlavex::cli {

namespace {

void send_all(instruments::Scpi& scpi, const instruments::Commands& commands,
              const instruments::Profile& profile) {
    for (const std::string& c : commands)
        scpi.command(instruments::filled(c, profile));
}

}  // namespace

ScpiSourceSwitch::ScpiSourceSwitch(instruments::Resource resource, instruments::Profile profile,
                                   instruments::Milliseconds timeout, instruments::Scpi* shared)
    : resource_(std::move(resource)),
      profile_(std::move(profile)),
      timeout_(timeout),
      scpi_(shared) {
    if (!scpi_) {
        own_transport_ = instruments::open_transport(resource_, timeout_);
        own_ = std::make_unique<instruments::Scpi>(*own_transport_, timeout_, "the supply");
        scpi_ = own_.get();
    }
}

void ScpiSourceSwitch::prepare() {
    if (!own_) return;  // the analyzer's own preparation has run
    send_all(*scpi_, profile_.reset, profile_);
}

void ScpiSourceSwitch::set(bool on) {
    send_all(*scpi_, on ? profile_.source_on : profile_.source_off, profile_);
}

bool ScpiSourceSwitch::make_safe() {
    try {
        // A fresh connection: the old one may have closed, or hold a late
        // reply that would be taken for the error queue's.
        // Patience beyond the run's own time limit: this may follow one
        // that passed.
        const instruments::Milliseconds patient =
            std::max(4 * timeout_, instruments::Milliseconds(5000));
        auto transport = instruments::open_transport(resource_, patient);
        instruments::Scpi scpi(*transport, patient, "the source's instrument");
        send_all(scpi, profile_.source_off, profile_);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void CommandSourceSwitch::set(bool on) {
    std::string command = command_;
    for (std::size_t at; (at = command.find("{state}")) != std::string::npos;)
        command.replace(at, 7, on ? "on" : "off");
    const int status = std::system(command.c_str());
    if (status != 0) {
        const int code = WIFEXITED(status) ? WEXITSTATUS(status) : status;
        throw instruments::InstrumentError("the source command \"" + command +
                                           "\" failed (status " + std::to_string(code) + ")");
    }
}

bool CommandSourceSwitch::make_safe() {
    try {
        set(false);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void PromptSourceSwitch::set(bool on) {
    if (on == on_) return;
    interrupt_.ask(on ? "Switch the noise source ON." : "Switch the noise source OFF.");
    on_ = on;
}

bool PromptSourceSwitch::make_safe() {
    return !on_;
}

}  // namespace orlavex::cli
