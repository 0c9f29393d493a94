// What every program that shows the window sets up first: the style whose
// look follows the window model's colours, and the substitute fonts.
#pragma once

#include <QApplication>

namespace orlavex::ui {

void prepare_application(QApplication& app);

}  // namespace orlavex::ui
