// VISA-style resource strings, the way instruments are addressed:
//   TCPIP::HOST::PORT::SOCKET   a raw SCPI socket (TCPIP::HOST::SOCKET: port 5025)
//   TCPIP::HOST::INSTR          VXI-11 (TCPIP::HOST::inst0::INSTR names the device)
//   USB::/dev/usbtmc0           the kernel's USB test-and-measurement device
//                               (any absolute path to it, a udev link too)
// Keywords in any case, TCPIP with a board number (TCPIP0), an IPv6 host in
// brackets ([::1]).
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace orlavex::instruments {

enum class ResourceKind { socket, vxi11, usbtmc };

inline constexpr int default_socket_port = 5025;

struct Resource {
    ResourceKind kind = ResourceKind::socket;
    std::string host;                // TCPIP: name or address, without brackets
    int port = default_socket_port;  // socket
    std::string device = "inst0";    // VXI-11 device name; USB: the device file
};

class ResourceError : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

// Throws ResourceError saying what is wrong with TEXT.
Resource parse_resource(std::string_view text);

// The resource written back in its canonical form.
std::string resource_text(const Resource& r);

}  // namespace orlavex::instruments
