// Where the planner opens: beside the calculator, not over it, where the
// screen leaves room.
#pragma once

#include <QRect>
#include <QSize>

#include <optional>

namespace orlavex::planner {

// The frame of a window that wants SIZE and can shrink to MINIMUM, beside
// the calculator's frame CALCULATOR within the screen's available area
// SCREEN: on the side with more room, as wide as it wants or as that room
// allows, its top level with the calculator's (moved up if it would run off
// the screen). Nothing when neither side has room for MINIMUM.
std::optional<QRect> beside(const QRect& calculator, QSize size, QSize minimum,
                            const QRect& screen);

}  // namespace orlavex::planner
