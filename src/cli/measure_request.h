// What `orlavex-cli measure` is asked: the set-up, the instruments and
// how the noise source is switched, the frequencies and where the readings
// go.
#pragma once

#include <cstddef>
#include <string>

namespace orlavex::cli {

struct MeasureRequest {
    std::string setup;             // the set-up file the readings are evaluated with
    std::string analyzer_address;  // a resource string
    std::string profile = "analyzer-marker-noise";  // a file, or a shipped profile's name
    // analyzer, supply:RESOURCE, command:CMD {state}, or prompt.
    std::string source = "analyzer";
    std::string supply_profile = "supply-28v";
    std::size_t repeat = 1;
    double from_ghz = 0, to_ghz = 0;
    std::size_t points = 0;
    bool yes = false;       // no prompts to connect the bench
    double timeout_s = 10;  // per exchange
    std::string save_readings;
    std::string calibration;       // an earlier calibration, read instead of measuring one
    std::string save_calibration;  // where the calibration measured is written
    std::string format = "table";
    std::string plot;    // FILE.svg or FILE.png for the measured charts; empty for none
    std::string report;  // FILE.html or FILE.pdf for the measurement's report; empty for none
};

}  // namespace orlavex::cli
