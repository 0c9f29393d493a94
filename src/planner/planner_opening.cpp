#include "planner/planner_opening.h"

#include "planner/placement.h"
#include "planner/planner_window.h"

#include <QMainWindow>
#include <QScreen>

namespace orlavex::planner {

namespace {

// The narrowest planner worth opening beside the calculator: its charts keep
// their legends and axis labels whole from about this width on. Where the
// room beside the calculator is narrower, the planner keeps this width and
// covers part of the calculator.
constexpr int readable_width_in_lines = 60;

// Beside the calculator where the screen leaves room for a readable planner,
// else at the screen's edge, within the screen's available area. The
// planner's frame is taken to be as thick as the calculator's.
void place_beside(PlannerWindow& planner, const QMainWindow& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr) return;
    const QRect frame = window.frameGeometry();
    const QMargins decoration(window.x() - frame.x(), window.y() - frame.y(),
                              frame.right() - window.geometry().right(),
                              frame.bottom() - window.geometry().bottom());
    const QSize extra(decoration.left() + decoration.right(),
                      decoration.top() + decoration.bottom());
    const QSize readable(planner.fontMetrics().height() * readable_width_in_lines, 0);
    const QRect place =
        beside(frame, planner.size() + extra,
               planner.minimumSizeHint().expandedTo(readable) + extra, screen->availableGeometry());
    planner.resize(place.size() - extra);
    planner.move(place.topLeft());  // the frame's corner
}

}  // namespace

void open_planner(QMainWindow& window, const CalculatorSource& calculator) {
    PlannerWindow* planner = planner_of(window);
    if (planner == nullptr) {
        planner = new PlannerWindow(calculator, &window);
        place_beside(*planner, window);
    } else if (!planner->isVisible()) {
        planner->start_afresh();  // reopened
    }
    planner->show();
    planner->raise();
    planner->activateWindow();
}

PlannerWindow* planner_of(const QMainWindow& window) {
    return window.findChild<PlannerWindow*>(QString(), Qt::FindDirectChildrenOnly);
}

}  // namespace orlavex::planner
