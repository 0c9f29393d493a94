#include "ui/first_paint.h"

#include <QEvent>
#include <QTimer>

namespace orlavex::ui {

namespace {

class FirstPaint : public QObject {
  public:
    FirstPaint(QWidget* widget, std::function<void()> action)
        : QObject(widget), action_(std::move(action)) {
        widget->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // After the paint has reached the screen.
            QTimer::singleShot(0, this, [this] {
                action_();
                deleteLater();
            });
        }
        return false;
    }

  private:
    std::function<void()> action_;
};

}  // namespace

void after_first_paint(QWidget* widget, std::function<void()> action) {
    new FirstPaint(widget, std::move(action));
}

}  // namespace orlavex::ui
