#include "instruments/scpi.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace orlavex::instruments {

namespace {

// A reply shown in a message: clipped, and only printable characters.
std::string shown(std::string_view reply) {
    std::string out;
    for (const char c : reply.substr(0, 40))
        out += std::isprint(static_cast<unsigned char>(c)) ? c : '?';
    return "\"" + out + (reply.size() > 40 ? "...\"" : "\"");
}

}  // namespace

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

bool scpi_number(std::string_view text, double& value) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size() &&
           std::isfinite(value);
}

void Scpi::write(std::string_view command) {
    try {
        transport_.write(command);
    } catch (const TransportError& e) {
        throw TransportError(e.fault(), "lost the connection to " + name_ + " sending \"" +
                                            std::string(command) + "\" (" + e.what() + ")");
    }
}

std::string Scpi::exchange(std::string_view command) {
    write(command);
    try {
        return transport_.read(timeout_);
    } catch (const TransportError& e) {
        if (e.fault() == TransportFault::timeout) {
            throw TransportError(
                e.fault(), name_ + " did not reply to \"" + std::string(command) + "\" in time");
        }
        throw TransportError(e.fault(), "lost the connection to " + name_ + " waiting for \"" +
                                            std::string(command) + "\" (" + e.what() + ")");
    }
}

void Scpi::check_errors(std::string_view after) {
    for (int i = 0; i < longest_error_queue; ++i) {
        const std::string entry = exchange("SYST:ERR?");
        double code = 0;
        const std::size_t comma = entry.find(',');
        if (!scpi_number(std::string_view(entry).substr(0, comma), code)) {
            throw InstrumentError(name_ + " answered SYST:ERR? after \"" + std::string(after) +
                                  "\" with " + shown(entry));
        }
        if (code == 0) return;
        throw InstrumentError(name_ + " reports " + std::string(trimmed(entry)) + " after \"" +
                              std::string(after) + "\"");
    }
    throw InstrumentError(name_ + "'s error queue does not empty");
}

void Scpi::command(std::string_view command) {
    write(command);
    check_errors(command);
}

std::string Scpi::query(std::string_view command) {
    std::string reply = exchange(command);
    check_errors(command);
    return reply;
}

double Scpi::query_number(std::string_view command) {
    const std::string reply = query(command);
    double value = 0;
    if (!scpi_number(reply, value)) {
        throw InstrumentError(name_ + "'s reply to \"" + std::string(command) +
                              "\" is not a number: " + shown(reply));
    }
    if (std::fabs(value) >= scpi_not_a_number)
        throw InstrumentError(name_ + " reports an overload (" + std::string(trimmed(reply)) +
                              ") for \"" + std::string(command) + "\"");
    return value;
}

}  // namespace orlavex::instruments
