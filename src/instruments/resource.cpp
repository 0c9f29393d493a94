#include "instruments/resource.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

namespace orlavex::instruments {

namespace {

std::string upper(std::string_view s) {
    std::string out(s);
    std::ranges::transform(out, out.begin(), [](unsigned char c) { return std::toupper(c); });
    return out;
}

// TEXT split at "::", the brackets of an IPv6 host kept whole.
std::vector<std::string> fields_of(std::string_view text) {
    std::vector<std::string> fields;
    std::string current;
    bool bracket = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '[') bracket = true;
        if (c == ']') bracket = false;
        if (!bracket && c == ':' && i + 1 < text.size() && text[i + 1] == ':') {
            fields.push_back(current);
            current.clear();
            ++i;
            continue;
        }
        current += c;
    }
    fields.push_back(current);
    return fields;
}

bool is_tcpip_board(const std::string& keyword) {
    if (!keyword.starts_with("TCPIP")) return false;
    return std::ranges::all_of(keyword.substr(5), [](unsigned char c) { return std::isdigit(c); });
}

std::string host_of(std::string field, std::string_view text) {
    if (field.starts_with('[')) {
        if (!field.ends_with(']') || field.size() < 3)
            throw ResourceError("\"" + std::string(text) + "\": an IPv6 host is written [ADDRESS]");
        field = field.substr(1, field.size() - 2);
    }
    if (field.empty()) throw ResourceError("\"" + std::string(text) + "\": no host");
    if (std::ranges::any_of(field, [](unsigned char c) { return std::isspace(c); }))
        throw ResourceError("\"" + std::string(text) + "\": a host holds no spaces");
    return field;
}

int port_of(const std::string& field, std::string_view text) {
    int port = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), port);
    if (field.empty() || ec != std::errc() || end != field.data() + field.size() || port < 1 ||
        port > 65535) {
        throw ResourceError("\"" + std::string(text) + "\": the port is a number from 1 to 65535");
    }
    return port;
}

Resource tcpip(const std::vector<std::string>& f, std::string_view text) {
    Resource r;
    const std::string last = upper(f.back());
    r.host = host_of(f[1], text);
    if (last == "SOCKET" && (f.size() == 3 || f.size() == 4)) {
        r.kind = ResourceKind::socket;
        if (f.size() == 4) r.port = port_of(f[2], text);
        return r;
    }
    if (last == "INSTR" && (f.size() == 3 || f.size() == 4)) {
        r.kind = ResourceKind::vxi11;
        if (f.size() == 4) r.device = f[2];
        if (r.device.empty()) throw ResourceError("\"" + std::string(text) + "\": no device name");
        return r;
    }
    throw ResourceError("\"" + std::string(text) +
                        "\": give TCPIP::HOST::PORT::SOCKET or TCPIP::HOST::INSTR");
}

}  // namespace

Resource parse_resource(std::string_view text) {
    if (std::ranges::count(text, '[') != std::ranges::count(text, ']'))
        throw ResourceError("\"" + std::string(text) + "\": an IPv6 host is written [ADDRESS]");
    const std::vector<std::string> f = fields_of(text);
    const std::string first = upper(f.front());
    if (is_tcpip_board(first) && f.size() >= 3) return tcpip(f, text);
    if ((first == "USB" || first == "USB0") && f.size() == 2 && f[1].starts_with("/")) {
        Resource r;
        r.kind = ResourceKind::usbtmc;
        r.device = f[1];
        return r;
    }
    throw ResourceError("\"" + std::string(text) +
                        "\" is not an instrument address: give TCPIP::HOST::PORT::SOCKET, "
                        "TCPIP::HOST::INSTR or USB::/dev/usbtmcN");
}

std::string resource_text(const Resource& r) {
    const std::string host = r.host.find(':') != std::string::npos ? "[" + r.host + "]" : r.host;
    switch (r.kind) {
        case ResourceKind::socket:
            return "TCPIP::" + host + "::" + std::to_string(r.port) + "::SOCKET";
        case ResourceKind::vxi11:
            return "TCPIP::" + host + "::" + r.device + "::INSTR";
        case ResourceKind::usbtmc:
            return "USB::" + r.device;
    }
    return {};
}

}  // namespace orlavex::instruments
