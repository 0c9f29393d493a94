#include "cli/bench_options.h"

#include "cli/named_argument.h"

#include <string>

namespace orlavex::cli {

void add_bench_options(CLI::App& sub, app::BenchInputs& inputs) {
    const std::string group = "Bench (losses around the DUT, measurement source)";
    for (const app::BenchInputRow& row : app::bench_input_rows) {
        const std::string flag(row.flag);
        const std::string help = app::bench_help(row);
        CLI::Option* opt = nullptr;
        if (row.number != nullptr) {
            opt = sub.add_option_function<double>(
                flag, [&inputs, &row](double x) { inputs.*row.number = x; }, help);
        } else {
            opt = sub.add_option_function<std::string>(
                flag, [&inputs, &row](const std::string& s) { inputs.*row.text = s; }, help);
            opt->check(row.type_name == "FILE" ? names_a_file() : names_a_model());
        }
        opt->type_name(std::string(row.type_name))->group(group);
    }
}

}  // namespace orlavex::cli
