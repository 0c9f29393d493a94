// Where the planner opens: beside the calculator, not over it, where the
// screen leaves room, and within the screen always.
#pragma once

#include <QRect>
#include <QSize>

namespace orlavex::planner {

// The frame of a window that wants SIZE and reads well from MINIMUM on,
// near the calculator's frame CALCULATOR within the screen's available area
// SCREEN, its top level with the calculator's (moved up if it would run off
// the screen). On the side with more room: beside the calculator, as wide as
// it wants or as that room allows; where that room is narrower than MINIMUM,
// at the screen's edge on that side, covering as little of the calculator
// as MINIMUM's width must. Never larger than SCREEN.
QRect beside(const QRect& calculator, QSize size, QSize minimum, const QRect& screen);

}  // namespace orlavex::planner
