#include "planner/placement.h"

#include <algorithm>

namespace orlavex::planner {

std::optional<QRect> beside(const QRect& calculator, QSize size, QSize minimum,
                            const QRect& screen) {
    const int right_room = screen.right() - calculator.right();
    const int left_room = calculator.left() - screen.left();
    const int room = std::max(right_room, left_room);
    if (room < minimum.width()) return std::nullopt;
    const int width = std::min(size.width(), room);
    const int height = std::clamp(size.height(), minimum.height(), screen.height());
    const int x = right_room >= left_room ? calculator.right() + 1 : calculator.left() - width;
    const int y = std::clamp(calculator.top(), screen.top(), screen.bottom() + 1 - height);
    return QRect(x, y, width, height);
}

}  // namespace orlavex::planner
