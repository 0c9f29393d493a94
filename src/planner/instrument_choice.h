// The planner's analyzer and noise-source choices: combo boxes that offer
// what the calculator's pop-up menus offer, in their order ("User" first, as
// the calculator's selection label names it, then the catalogue's models
// maker by maker).
#pragma once

#include <QString>

#include <string_view>

class QComboBox;

namespace orlavex::planner {

void fill_analyzer_choice(QComboBox& box);
void fill_noise_source_choice(QComboBox& box);

// The name the chosen item stands for, as the calculator's selection label
// shows it: a model name or "User".
QString chosen_name(const QComboBox& box);

// Shows NAME (the selection label's text) as the current item, without
// emitting a change; a name the box does not offer leaves it blank.
void show_chosen(QComboBox& box, std::string_view name);

}  // namespace orlavex::planner
