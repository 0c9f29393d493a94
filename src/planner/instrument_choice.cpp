#include "planner/instrument_choice.h"

#include "catalogue/analyzer_table.h"
#include "catalogue/noise_source_table.h"
#include "engine/apply_catalogue.h"
#include "ui/qstring.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace orlavex::planner {

namespace {

// "User", as the calculator's selection label names the user's own values,
// then each group's models behind a separator.
template <class Groups>
void fill(QComboBox& box, const Groups& groups) {
    box.clear();
    box.addItem(ui::qstring(user_selection), ui::qstring(user_selection));
    for (const auto& group : groups) {
        box.insertSeparator(box.count());
        for (const auto& model : group.models)
            box.addItem(ui::qstring(catalogue::model_name(model)),
                        ui::qstring(catalogue::model_name(model)));
    }
}

}  // namespace

void fill_analyzer_choice(QComboBox& box) {
    fill(box, catalogue::analyzer_families());
}

void fill_noise_source_choice(QComboBox& box) {
    fill(box, catalogue::noise_source_makers());
}

QString chosen_name(const QComboBox& box) {
    return box.currentData().toString();
}

void show_chosen(QComboBox& box, std::string_view name) {
    const QSignalBlocker quiet(&box);
    box.setCurrentIndex(box.findData(ui::qstring(name)));
}

}  // namespace orlavex::planner
