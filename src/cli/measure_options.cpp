#include "cli/measure_command.h"

namespace orlavex::cli {

void add_measure_options(CLI::App& sub, MeasureRequest& r) {
    const std::string bench = "Instruments", band = "Frequencies", files = "Readings";
    sub.add_option("--setup", r.setup, "the set-up file the readings are evaluated with")
        ->required()
        ->type_name("FILE");
    sub.add_option("--analyzer-address", r.analyzer_address,
                   "the analyzer: TCPIP::HOST::PORT::SOCKET, TCPIP::HOST::INSTR or "
                   "USB::/dev/usbtmcN")
        ->required()
        ->type_name("RES")
        ->group(bench);
    sub.add_option("--profile", r.profile,
                   "the analyzer's profile: a JSON file or a shipped profile's name")
        ->capture_default_str()
        ->type_name("FILE")
        ->group(bench);
    sub.add_option("--source", r.source,
                   "how the noise source is switched: analyzer, supply:RES, "
                   "command:'CMD {state}' or prompt")
        ->capture_default_str()
        ->group(bench);
    sub.add_option("--supply-profile", r.supply_profile,
                   "the supply's profile for --source supply:RES")
        ->capture_default_str()
        ->type_name("FILE")
        ->group(bench);
    sub.add_option("--timeout", r.timeout_s, "seconds an instrument may take to reply")
        ->capture_default_str()
        ->check(CLI::Range(0.01, 3600.0))
        ->group(bench);
    sub.add_flag("--yes", r.yes, "do not ask before the calibration and the DUT")->group(bench);
    sub.add_option("--from", r.from_ghz, "first frequency (a converting DUT's input), GHz")
        ->required()
        ->group(band);
    sub.add_option("--to", r.to_ghz, "last frequency, GHz")->required()->group(band);
    sub.add_option("--points", r.points, "frequencies from --from to --to")
        ->required()
        ->check(CLI::Range(std::size_t{1}, std::size_t{100000}))
        ->group(band);
    sub.add_option("--repeat", r.repeat, "readings of each level at each frequency")
        ->capture_default_str()
        ->check(CLI::Range(std::size_t{1}, std::size_t{1000}))
        ->group(band);
    sub.add_option("--save-readings", r.save_readings, "write the readings (CSV) to FILE")
        ->type_name("FILE")
        ->group(files);
    sub.add_option("--calibration", r.calibration,
                   "an earlier calibration (CSV) used instead of measuring one")
        ->type_name("FILE")
        ->group(files);
    sub.add_option("--save-calibration", r.save_calibration,
                   "write the calibration measured (CSV) to FILE")
        ->type_name("FILE")
        ->group(files);
    sub.add_option("--format", r.format, "output: a table, CSV or JSON")
        ->check(CLI::IsMember({"table", "csv", "json"}))
        ->capture_default_str()
        ->group(files);
    sub.add_option("--plot", r.plot,
                   "also draw the measured noise figure (with its U) and gain over the plan "
                   "into FILE.svg or FILE.png")
        ->type_name("FILE")
        ->group(files);
    sub.add_option("--report", r.report,
                   "also write the measurement's report (as report --readings) to FILE.html or "
                   "FILE.pdf")
        ->type_name("FILE")
        ->group(files);
}

}  // namespace orlavex::cli
