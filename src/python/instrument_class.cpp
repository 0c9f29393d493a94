#include "python/instrument_class.h"

#include "instruments/resource.h"
#include "instruments/scpi.h"
#include "instruments/transport.h"

#include <cmath>
#include <memory>
#include <string>

namespace py = pybind11;

namespace orlavex::python {

namespace {

using namespace instruments;

const char* const instrument_doc =
    R"(A SCPI instrument: Instrument("TCPIP::HOST::PORT::SOCKET", timeout=10.0).

The resource is TCPIP::HOST::PORT::SOCKET (a raw socket, port 5025 when left
out), TCPIP::HOST::INSTR (VXI-11) or USB::/dev/usbtmcN. After every command
and query the instrument's error queue is read (SYST:ERR?): an error it holds
raises RuntimeError naming the command. A reply not in time raises
TimeoutError, a lost connection ConnectionError, a bad resource ValueError.
Use it in a with block to close it at the end.)";

// The library's failures as Python's exceptions.
template <typename Call>
auto translated(Call call) {
    try {
        py::gil_scoped_release released;
        return call();
    } catch (const ResourceError& e) {
        throw py::value_error(e.what());
    } catch (const TransportError& e) {
        if (e.fault() == TransportFault::timeout) {
            PyErr_SetString(PyExc_TimeoutError, e.what());
        } else {
            PyErr_SetString(PyExc_ConnectionError, e.what());
        }
        throw py::error_already_set();
    } catch (const InstrumentError& e) {
        throw std::runtime_error(e.what());
    }
}

class Instrument {
  public:
    Instrument(const std::string& resource, double timeout_s) {
        if (!(timeout_s > 0) || !std::isfinite(timeout_s))
            throw py::value_error("timeout: must be a number of seconds above 0");
        const Milliseconds timeout(static_cast<long long>(std::ceil(timeout_s * 1000)));
        translated([&] {
            resource_ = parse_resource(resource);
            transport_ = open_transport(resource_, timeout);
            scpi_ = std::make_unique<Scpi>(*transport_, timeout, "the instrument");
            return 0;
        });
    }

    void write(const std::string& command) {
        translated([&] { return scpi().command(command), 0; });
    }
    std::string query(const std::string& command) {
        return translated([&] { return scpi().query(command); });
    }
    double query_number(const std::string& command) {
        return translated([&] { return scpi().query_number(command); });
    }
    void close() {
        if (transport_) transport_->close();
        scpi_.reset();
        transport_.reset();
    }
    std::string resource() const { return resource_text(resource_); }

  private:
    Scpi& scpi() {
        if (!scpi_) throw TransportError(TransportFault::closed, "the instrument is closed");
        return *scpi_;
    }

    Resource resource_;
    std::unique_ptr<Transport> transport_;
    std::unique_ptr<Scpi> scpi_;
};

}  // namespace

void define_instrument(py::module_& m) {
    py::class_<Instrument>(m, "Instrument", instrument_doc)
        .def(py::init<const std::string&, double>(), py::arg("resource"), py::arg("timeout") = 10.0)
        .def("write", &Instrument::write, py::arg("command"),
             "Send COMMAND, then read the error queue.")
        .def("query", &Instrument::query, py::arg("command"),
             "COMMAND's reply (without its newline), then the error queue read.")
        .def("query_number", &Instrument::query_number, py::arg("command"),
             "COMMAND's reply as a number; an overload (9.91e37) or a reply that is not a\n"
             "number raises RuntimeError.")
        .def("close", &Instrument::close, "Close the connection.")
        .def_property_readonly("resource", &Instrument::resource, "The resource, as written back.")
        .def("__enter__", [](Instrument& i) -> Instrument& { return i; })
        .def("__exit__", [](Instrument& i, const py::args&) { i.close(); });
}

}  // namespace orlavex::python
