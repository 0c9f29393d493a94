#include "app/results/advice_json.h"

namespace orlavex::app {

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
Json sidebands_json(const planning::SidebandAdvice& advice) {
    Json modes = Json::array();
    for (const planning::SidebandEntry& e : advice.modes) {
        const bool any = e.evaluated > 0;
        modes.push_back(
            {{"rank", e.rank},
             {"mode", e.mode == measure::SidebandMode::dsb ? "dsb" : "ssb"},
             {"label", e.label},
             {"points", e.points},
             {"evaluated", e.evaluated},
             {"worst_U_db", any ? number_or_null(e.worst_U_db) : Json(nullptr)},
             {"worst_at", any ? number_or_null(e.worst_at) : Json(nullptr)},
             {"dut_nf_db", any ? number_or_null(e.dut_nf_db) : Json(nullptr)},
             {"dut_gain_db", any ? number_or_null(e.dut_gain_db) : Json(nullptr)},
             {"image_ratio_share", any ? number_or_null(e.image_share) : Json(nullptr)}});
    }
    return {
        {"modes", std::move(modes)},
        {"summary", advice.summary},
        {"image_filter", advice.image_filter.empty() ? Json(nullptr) : Json(advice.image_filter)}};
}

}  // namespace

Json advice_json(const planning::Advice& advice) {
    Json ranking = Json::array();
    for (const planning::AdviceEntry& e : advice.ranking)
        ranking.push_back(entry_json(e));
    Json j{{"ranking", std::move(ranking)}};
    if (advice.sidebands) j["sidebands"] = sidebands_json(*advice.sidebands);
    return j;
}

}  // namespace orlavex::app
