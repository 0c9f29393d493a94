#include "planner/placement.h"

#include <algorithm>

namespace orlavex::planner {

QRect beside(const QRect& calculator, QSize size, QSize minimum, const QRect& screen) {
    const int right_room = screen.right() - calculator.right();
    const int left_room = calculator.left() - screen.left();
    const bool on_right = right_room >= left_room;
    const int room = std::max(right_room, left_room);
    const int width = std::min({size.width(), std::max(room, minimum.width()), screen.width()});
    const int height = std::min(size.height(), screen.height());
    const int x = on_right ? std::min(calculator.right() + 1, screen.right() + 1 - width)
                           : std::max(calculator.left() - width, screen.left());
    const int y = std::clamp(calculator.top(), screen.top(), screen.bottom() + 1 - height);
    return QRect(x, y, width, height);
}

}  // namespace orlavex::planner
