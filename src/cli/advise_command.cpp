#include "cli/advise_command.h"

#include "app/results/advice_json.h"
#include "app/results/sweep_columns.h"
#include "cli/progress_line.h"
#include "cli/run.h"
#include "cli/setup_file_options.h"
#include "cli/text_table.h"
#include "datafiles/file_error.h"

namespace orlavex::cli {

namespace {

// The sideband modes' ranking under the set-ups', and the filter's advice.
void print_sideband_advice(std::ostream& out, const planning::Advice& advice) {
    if (!advice.sidebands) return;
    const planning::SidebandAdvice& sidebands = *advice.sidebands;
    out << "\nSideband (the sweep's own set-up): " << sidebands.summary << '\n';
    for (const planning::SidebandEntry& e : sidebands.modes) {
        out << "  " << e.rank << ". " << e.label;
        if (e.evaluated > 0) {
            out << ": worst U " << app::number_text(e.worst_U_db, 3) << " dB at "
                << app::number_text(e.worst_at, -1) << " GHz, DUT NF "
                << app::number_text(e.dut_nf_db, 3) << " dB, gain "
                << app::number_text(e.dut_gain_db, 3) << " dB there";
        }
        out << '\n';
    }
    if (!sidebands.image_filter.empty()) out << sidebands.image_filter << '\n';
}

}  // namespace

void print_advice(std::ostream& out, const planning::Advice& advice) {
    using enum TextTable::Align;
    TextTable table({right, left, right, right, right, left});
    table.add({"#", "set-up", "worst U (dB)", "at (GHz)", "all green", "why this place"});
    for (const planning::AdviceEntry& e : advice.ranking) {
        const bool any = e.evaluated > 0;
        table.add({std::to_string(e.rank), e.candidate.label(),
                   any ? app::number_text(e.worst_U_db, 3) : "-",
                   any ? app::number_text(e.worst_at, -1) : "-",
                   std::to_string(e.all_green) + "/" + std::to_string(e.points), e.reason});
    }
    table.print(out);
    print_sideband_advice(out, advice);
}

int run_advise_command(const SweepRequest& request, bool json, std::ostream& out,
                       std::ostream& err) {
    const std::optional<app::SweepRequest> typed =
        unless_refused(err, [&] { return typed_sweep_request(request); });
    if (!typed) return exit_bad_input;
    planning::SweepProgress progress;
    const std::optional<planning::Advice> ranked = [&] {
        const ProgressLine line(
            "advise", "points",
            [&] {
                return Progress{progress.done.load(), progress.total.load()};
            },
            stderr_display());
        return unless_refused(err, [&] {
            return planning::advise(make_sweep(*typed, request.inputs.strict, err), progress);
        });
    }();
    if (!ranked) return exit_bad_input;
    if (const std::string why = save_setup(request.inputs.files, *typed); !why.empty()) {
        err << "orlavex-cli: " << why << '\n';
        return exit_bad_input;
    }
    const planning::Advice& advice = *ranked;
    if (json) {
        out << app::advice_json(advice).dump(2) << '\n';
    } else {
        print_advice(out, advice);
    }
    return 0;
}

}  // namespace orlavex::cli
