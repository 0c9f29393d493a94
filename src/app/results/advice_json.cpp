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
}  // namespace

Json advice_json(const planning::Advice& advice) {
    Json ranking = Json::array();
    for (const planning::AdviceEntry& e : advice.ranking)
        ranking.push_back(entry_json(e));
    return Json{{"ranking", std::move(ranking)}};
}

}  // namespace orlavex::app
