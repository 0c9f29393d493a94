// The transports without an instrument: the usbtmc device's read and write
// through a FIFO (which hands back what is written, as a loop-back device
// would), and the connections' failures on the loopback address.
#include "instruments/transport.h"
#include "instruments/resource.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace orlavex::instruments {
namespace {

using std::chrono::milliseconds;

TEST(Transport, UsbtmcDeviceReadsOneReplyWithoutItsNewline) {
    const std::string fifo = ::testing::TempDir() + "usbtmc-" + std::to_string(::getpid());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    {
        auto device = open_transport(parse_resource("USB::" + fifo), milliseconds(100));
        device->write("*IDN?");
        EXPECT_EQ(device->read(milliseconds(1000)), "*IDN?");
        try {
            (void)device->read(milliseconds(50));
            ADD_FAILURE() << "a reply from an empty device";
        } catch (const TransportError& e) {
            EXPECT_EQ(e.fault(), TransportFault::timeout);
        }
        device->close();
        EXPECT_THROW(device->write("*RST"), TransportError);
    }
    ::unlink(fifo.c_str());
    try {
        (void)open_transport(parse_resource("USB::" + fifo), milliseconds(100));
        ADD_FAILURE() << "opened a device that is not there";
    } catch (const TransportError& e) {
        EXPECT_EQ(e.fault(), TransportFault::failed);
        EXPECT_NE(std::string(e.what()).find(fifo), std::string::npos) << e.what();
    }
}

// Nothing listens on these loopback ports (a socket's, and VXI-11's port
// mapper on 111): each connection fails at once, naming where it went.
TEST(Transport, ConnectionsRefusedOnLoopbackNameWhereTheyWent) {
    for (const char* resource :
         {"TCPIP::127.0.0.1::1::SOCKET", "TCPIP::[::1]::1::SOCKET", "TCPIP::127.0.0.1::INSTR"}) {
        SCOPED_TRACE(resource);
        try {
            (void)open_transport(parse_resource(resource), milliseconds(2000));
            ADD_FAILURE() << "connected";
        } catch (const TransportError& e) {
            EXPECT_NE(e.fault(), TransportFault::closed);
            EXPECT_NE(std::string(e.what()).find("cannot connect to"), std::string::npos)
                << e.what();
        }
    }
}

}  // namespace
}  // namespace orlavex::instruments
