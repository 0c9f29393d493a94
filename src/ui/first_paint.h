// Runs an action once a widget has been painted for the first time.
#pragma once

#include <QWidget>

#include <functional>

namespace orlavex::ui {

void after_first_paint(QWidget* widget, std::function<void()> action);

}  // namespace orlavex::ui
