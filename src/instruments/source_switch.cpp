#include "instruments/source_switch.h"

#include "instruments/shell_command.h"

#include <algorithm>

namespace orlavex::instruments {

namespace {

void send_all(Scpi& scpi, const Commands& commands, const Profile& profile) {
    for (const std::string& c : commands)
        scpi.command(filled(c, profile));
}

}  // namespace

ScpiSourceSwitch::ScpiSourceSwitch(Resource resource, Profile profile, Milliseconds timeout,
                                   Scpi* shared)
    : resource_(std::move(resource)),
      profile_(std::move(profile)),
      timeout_(timeout),
      scpi_(shared) {
    if (!scpi_) {
        own_transport_ = open_transport(resource_, timeout_);
        own_ = std::make_unique<Scpi>(*own_transport_, timeout_, "the supply");
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
        const Milliseconds patient = std::max(4 * timeout_, Milliseconds(5000));
        auto transport = open_transport(resource_, patient);
        Scpi scpi(*transport, patient, "the source's instrument");
        send_all(scpi, profile_.source_off, profile_);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void CommandSourceSwitch::run(bool on) const {
    std::string command = command_;
    for (std::size_t at; (at = command.find("{state}")) != std::string::npos;)
        command.replace(at, 7, on ? "on" : "off");
    const ShellEnd end = run_shell(command);
    if (!end.ok()) {
        throw InstrumentError("the source command \"" + command + "\" failed (" +
                              shell_end_text(end) + ")");
    }
}

void CommandSourceSwitch::set(bool on) {
    run(on);
    // A Ctrl+C that came while the command ran stops the run now.
    control_.check();
}

bool CommandSourceSwitch::make_safe() {
    try {
        run(false);
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

}  // namespace orlavex::instruments
