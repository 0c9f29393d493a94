// SCPI over a transport: every command followed by reading the error queue
// (SYST:ERR? until "0,..."), so that an instrument's error stops a run with
// the command that caused it named.
#pragma once

#include "instruments/transport.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace orlavex::instruments {

// The instrument reported an error, or replied with what is not a reading.
class InstrumentError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Most entries read from an error queue before it counts as never emptying.
inline constexpr int longest_error_queue = 32;

// Readings at or above this are the SCPI "not a number" 9.91e37 an
// instrument gives for an overload or an invalid measurement.
inline constexpr double scpi_not_a_number = 9.9e37;

class Scpi {
  public:
    Scpi(Transport& transport, Milliseconds timeout, std::string name)
        : transport_(transport), timeout_(timeout), name_(std::move(name)) {}

    // Sends COMMAND, then empties the error queue; throws InstrumentError
    // with the first error it held.
    void command(std::string_view command);
    // COMMAND's reply, then the error queue emptied.
    std::string query(std::string_view command);
    // COMMAND's reply read as a number; an overload or a reply that is not
    // a number throws InstrumentError.
    double query_number(std::string_view command);

    const std::string& name() const { return name_; }

  private:
    void check_errors(std::string_view after);
    // The transport's exchange, its failures naming the instrument and the
    // command.
    void write(std::string_view command);
    std::string exchange(std::string_view command);

    Transport& transport_;
    Milliseconds timeout_;
    std::string name_;  // "the analyzer", in messages
};

// TEXT read as a number (SCPI NR1/NR2/NR3, leading and trailing blanks
// allowed); false when it is not one.
bool scpi_number(std::string_view text, double& value);

// TEXT without the white space at either end.
std::string_view trimmed(std::string_view text);

}  // namespace orlavex::instruments
