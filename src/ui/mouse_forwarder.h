// Mouse clicks of one window, forwarded to the model: a press into an entry
// field moves the focus there first (the field then places the caret
// natively), and a click on any other control runs through the model's
// click handling, which decides what changes: Qt never ticks a check box or
// selects an option button by itself.
#pragma once

#include "ui/model_link.h"
#include "ui/window_widgets.h"

#include <QMouseEvent>
#include <QObject>

namespace orlavex::ui {

class MouseForwarder : public QObject {
  public:
    MouseForwarder(ModelLink& link, const WindowWidgets& widgets, QObject* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool press(Ctl control, const QMouseEvent* mouse);
    bool release(Ctl control, QWidget* widget, const QMouseEvent* mouse);

    ModelLink& link_;
    const WindowWidgets& widgets_;
    Ctl pressed_ = Ctl::none;
};

}  // namespace orlavex::ui
