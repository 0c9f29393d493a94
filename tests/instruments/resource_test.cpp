// Resource strings: every form an instrument is addressed by, and the
// mistakes a user makes in them.
#include "instruments/resource.h"

#include <gtest/gtest.h>

namespace orlavex::instruments {
namespace {

struct GoodResource {
    const char* text;
    ResourceKind kind;
    const char* host;
    int port;
    const char* device;
    const char* canonical;
};

constexpr GoodResource good_resources[] = {
    {"TCPIP::127.0.0.1::5025::SOCKET", ResourceKind::socket, "127.0.0.1", 5025, "inst0",
     "TCPIP::127.0.0.1::5025::SOCKET"},
    {"tcpip0::bench-sa::5026::socket", ResourceKind::socket, "bench-sa", 5026, "inst0",
     "TCPIP::bench-sa::5026::SOCKET"},
    {"TCPIP::127.0.0.1::SOCKET", ResourceKind::socket, "127.0.0.1", 5025, "inst0",
     "TCPIP::127.0.0.1::5025::SOCKET"},
    {"TCPIP::[::1]::5025::SOCKET", ResourceKind::socket, "::1", 5025, "inst0",
     "TCPIP::[::1]::5025::SOCKET"},
    {"TCPIP::10.0.0.7::INSTR", ResourceKind::vxi11, "10.0.0.7", 5025, "inst0",
     "TCPIP::10.0.0.7::inst0::INSTR"},
    {"TCPIP1::10.0.0.7::gpib0,5::INSTR", ResourceKind::vxi11, "10.0.0.7", 5025, "gpib0,5",
     "TCPIP::10.0.0.7::gpib0,5::INSTR"},
    {"USB::/dev/usbtmc0", ResourceKind::usbtmc, "", 5025, "/dev/usbtmc0", "USB::/dev/usbtmc0"},
};

TEST(Resource, ReadsEveryForm) {
    for (const GoodResource& g : good_resources) {
        SCOPED_TRACE(g.text);
        const Resource r = parse_resource(g.text);
        EXPECT_EQ(r.kind, g.kind);
        EXPECT_EQ(r.host, g.host);
        if (g.kind == ResourceKind::socket) {
            EXPECT_EQ(r.port, g.port);
        } else {
            EXPECT_EQ(r.device, g.device);
        }
        EXPECT_EQ(resource_text(r), g.canonical);
        // The canonical text reads back as the same resource.
        EXPECT_EQ(resource_text(parse_resource(resource_text(r))), g.canonical);
    }
}

struct BadResource {
    const char* text;
    const char* says;
};

constexpr BadResource bad_resources[] = {
    {"", "not an instrument address"},
    {"127.0.0.1:5025", "not an instrument address"},
    {"GPIB::12::INSTR", "not an instrument address"},
    {"TCPIPX::host::INSTR", "not an instrument address"},
    {"TCPIP::host", "not an instrument address"},
    {"TCPIP::::5025::SOCKET", "no host"},
    {"TCPIP::host::0::SOCKET", "port is a number from 1 to 65535"},
    {"TCPIP::host::65536::SOCKET", "port is a number from 1 to 65535"},
    {"TCPIP::host::50x::SOCKET", "port is a number from 1 to 65535"},
    {"TCPIP::host::-1::SOCKET", "port is a number from 1 to 65535"},
    {"TCPIP::[::1::5025::SOCKET", "IPv6 host is written [ADDRESS]"},
    {"TCPIP::a b::SOCKET", "no spaces"},
    {"TCPIP::host::::INSTR", "no device name"},
    {"TCPIP::host::1::2::SOCKET", "give TCPIP::HOST::PORT::SOCKET"},
    {"TCPIP::host::STREAM", "give TCPIP::HOST::PORT::SOCKET"},
    {"USB::usbtmc0", "not an instrument address"},
    {"USB::/dev/usbtmc0::INSTR", "not an instrument address"},
};

TEST(Resource, RefusesWithTheReason) {
    for (const BadResource& b : bad_resources) {
        SCOPED_TRACE(b.text);
        try {
            (void)parse_resource(b.text);
            ADD_FAILURE() << "taken";
        } catch (const ResourceError& e) {
            EXPECT_NE(std::string(e.what()).find(b.says), std::string::npos) << e.what();
        }
    }
}

}  // namespace
}  // namespace orlavex::instruments
