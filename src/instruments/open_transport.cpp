#include "instruments/lxi_transport.h"
#include "instruments/resource.h"
#include "instruments/socket_transport.h"
#include "instruments/transport.h"
#include "instruments/usbtmc_transport.h"

namespace orlavex::instruments {

std::unique_ptr<Transport> open_transport(const Resource& resource, Milliseconds timeout) {
    switch (resource.kind) {
        case ResourceKind::socket:
            return std::make_unique<SocketTransport>(resource.host, resource.port, timeout);
        case ResourceKind::vxi11:
            return std::make_unique<LxiTransport>(resource.host, resource.device, timeout);
        case ResourceKind::usbtmc:
            return std::make_unique<UsbtmcTransport>(resource.device);
    }
    throw TransportError(TransportFault::failed, "unknown kind of connection");
}

}  // namespace orlavex::instruments
