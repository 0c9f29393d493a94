#include "cli/advise_command.h"

#include "cli/run.h"
#include "cli/sweep_columns.h"
#include "cli/text_table.h"
#include "datafiles/file_error.h"

namespace orlavex::cli {

namespace {

Json entry_json(const planning::AdviceEntry& e) {
    Json j;
    j["rank"] = e.rank;
    j["label"] = e.candidate.label();
    j["noise_source"] = e.candidate.noise_source;
    j["int_preamp"] = e.candidate.int_preamp;
    j["preamp_option"] =
        e.candidate.preamp_option ? Json(*e.candidate.preamp_option) : Json(nullptr);
    j["points"] = e.points;
    j["in_range"] = e.in_range;
    j["evaluated"] = e.evaluated;
    j["all_green"] = e.all_green;
    j["worst_U_db"] = e.evaluated ? number_or_null(e.worst_U_db) : Json(nullptr);
    j["worst_at_ghz"] = e.evaluated ? number_or_null(e.worst_at) : Json(nullptr);
    j["reason"] = e.reason;
    return j;
}

}  // namespace

Json advice_json(const planning::Advice& advice) {
    Json ranking = Json::array();
    for (const planning::AdviceEntry& e : advice.ranking)
        ranking.push_back(entry_json(e));
    return Json{{"ranking", std::move(ranking)}};
}

void print_advice(std::ostream& out, const planning::Advice& advice) {
    using enum TextTable::Align;
    TextTable table({right, left, right, right, right, left});
    table.add({"#", "set-up", "worst U (dB)", "at (GHz)", "all green", "why this place"});
    for (const planning::AdviceEntry& e : advice.ranking) {
        const bool any = e.evaluated > 0;
        table.add({std::to_string(e.rank), e.candidate.label(),
                   any ? number_text(e.worst_U_db, 3) : "-",
                   any ? number_text(e.worst_at, -1) : "-",
                   std::to_string(e.all_green) + "/" + std::to_string(e.points), e.reason});
    }
    table.print(out);
}

int run_advise_command(const Calculator& started, const SweepRequest& request, bool json,
                       std::ostream& out, std::ostream& err) {
    const std::optional<planning::Advice> ranked =
        unless_refused(err, [&] { return planning::advise(make_sweep(started, request)); });
    if (!ranked) return exit_bad_input;
    const planning::Advice& advice = *ranked;
    if (json) {
        out << advice_json(advice).dump(2) << '\n';
    } else {
        print_advice(out, advice);
    }
    return 0;
}

}  // namespace orlavex::cli
