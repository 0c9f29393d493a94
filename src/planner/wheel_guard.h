// The mouse wheel over a scrolled panel of inputs scrolls the panel: a spin
// box or choice box changes its value by the wheel only while it has the
// focus, so that scrolling past it changes nothing.
#pragma once

class QWidget;

namespace orlavex::planner {

// Guards every spin box and choice box inside PANEL, those there now.
void take_wheel_only_when_focused(QWidget& panel);

}  // namespace orlavex::planner
