// The instrument profiles the Measure dialog offers: the shipped ones of a
// kind (an analyzer's for the analyzer, a supply's for the supply), and a
// file the user picks.
#pragma once

#include "instruments/profile.h"

#include <string>
#include <vector>

class QComboBox;
class QString;
class QWidget;

namespace orlavex::planner {

// The shipped profiles of KIND, by name, sorted; one that cannot be read is
// left out.
std::vector<std::string> shipped_profiles_of(instruments::ProfileKind kind);

// Fills BOX with the shipped profiles of KIND.
void fill_profile_choice(QComboBox& box, instruments::ProfileKind kind);

// Shows NAME in BOX, added as an item where BOX does not offer it.
void show_profile(QComboBox& box, const QString& name);

// Asks for a profile file, titled TITLE, and shows it in BOX.
void choose_profile_file(QWidget* parent, const QString& title, QComboBox& box);

}  // namespace orlavex::planner
