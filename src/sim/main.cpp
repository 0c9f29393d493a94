// orlavex-sim: a simulated noise-figure bench on a loopback socket, for
// trying `orlavex-cli measure` and testing it without instruments.
#include "sim/sim_bench.h"
#include "sim/sim_instrument.h"
#include "sim/sim_server.h"

#include <CLI/CLI.hpp>

#include <iostream>

int main(int argc, char** argv) {
    using namespace orlavex::sim;
    CLI::App app{
        "A simulated noise-figure bench (noise source, DUT, analyzer and supply) "
        "speaking SCPI on a loopback socket.",
        "orlavex-sim"};
    app.set_version_flag("--version", "orlavex-sim " ORLAVEX_VERSION);
    std::string setup, listen = "127.0.0.1:0";
    unsigned long long seed = 1;
    long long delay_ms = 0;
    std::optional<std::size_t> drop_after, garbage_after;
    SimFaults faults;
    app.add_option("--setup", setup, "the set-up file whose bench is simulated")->required();
    app.add_option("--listen", listen, "127.0.0.1:PORT or [::1]:PORT (0: any free port)")
        ->capture_default_str();
    app.add_option("--seed", seed, "seed of the readings' scatter")->capture_default_str();
    app.add_option("--delay", delay_ms, "delay every reply by MS milliseconds")
        ->check(CLI::Range(0LL, 600000LL));
    app.add_option("--drop-after", drop_after, "close each connection after N commands");
    app.add_option("--garbage-after", garbage_after, "garble every reply after N commands");
    app.add_flag("--overload", faults.overload, "every reading is the overload value 9.91e37");
    app.add_flag("--stuck-source", faults.stuck_source,
                 "the noise source stays off whatever drives it");
    CLI11_PARSE(app, argc, argv);
    ListenAddress address;
    if (const std::string why = parse_listen_address(listen, address); !why.empty()) {
        std::cerr << "orlavex-sim: " << why << '\n';
        return 2;
    }
    try {
        SimBench bench(setup);
        SimInstrument instrument(bench, seed, faults);
        const ConnectionFaults connection{std::chrono::milliseconds(delay_ms), drop_after,
                                          garbage_after};
        const std::string why = serve(address, instrument, connection, std::cout);
        std::cerr << "orlavex-sim: " << why << '\n';
    } catch (const std::exception& e) {
        std::cerr << "orlavex-sim: " << e.what() << '\n';
    }
    return 2;
}
