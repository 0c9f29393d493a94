#include "planner/wheel_guard.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QWidget>

namespace orlavex::planner {

namespace {

// An ignored wheel event goes on to the box's parents, and so to the
// scroll area around them.
class WheelGuard : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel || static_cast<QWidget*>(watched)->hasFocus()) {
            return false;
        }
        event->ignore();
        return true;
    }
};

}  // namespace

void take_wheel_only_when_focused(QWidget& panel) {
    auto* guard = new WheelGuard(&panel);
    const auto guard_box = [guard](QWidget* box) {
        // A click or Tab focuses the box; the wheel alone does not.
        box->setFocusPolicy(Qt::StrongFocus);
        box->installEventFilter(guard);
    };
    for (QAbstractSpinBox* box : panel.findChildren<QAbstractSpinBox*>())
        guard_box(box);
    for (QComboBox* box : panel.findChildren<QComboBox*>())
        guard_box(box);
}

}  // namespace orlavex::planner
