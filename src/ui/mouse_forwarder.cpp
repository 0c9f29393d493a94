#include "ui/mouse_forwarder.h"

#include "window/dispatch.h"
#include "window/user_actions.h"

namespace orlavex::ui {

namespace {

bool is_button_control(Ctl control) {
    return layout_row(control).kind == Kind::Button;
}

}  // namespace

MouseForwarder::MouseForwarder(ModelLink& link, const WindowWidgets& widgets, QObject* parent)
    : QObject(parent), link_(link), widgets_(widgets) {
    for (Ctl id : widgets.controls) {
        // Push buttons report their clicks themselves.
        if (!is_button_control(id)) widgets[id]->installEventFilter(this);
    }
}

bool MouseForwarder::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseButtonRelease) {
        return false;
    }
    const Ctl control = widgets_.find(watched);
    if (control == Ctl::none) return false;
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    if (type == QEvent::MouseButtonRelease) {
        return release(control, static_cast<QWidget*>(watched), mouse);
    }
    return press(control, mouse);
}

bool MouseForwarder::press(Ctl control, const QMouseEvent* /*mouse*/) {
    if (layout_row(control).kind == Kind::Field) {
        if (link_.form().focus == control) return false;  // caret and selection natively
        // Clicking into another field keeps the whole text selected, as its
        // got-focus handler left it, ready to be typed over.
        link_.act([control](Calculator& calc) { focus_control(calc, control); });
        return true;
    }
    pressed_ = control;
    return true;  // a control that the press reached keeps it from its frame
}

// A press and release on the same control with the left button is a click:
// the whole of it runs, the box ticked or the option chosen first. Any other
// button only releases: the control's release handler runs (the analyzer and
// noise source selection and the resolution pop-up open for every button),
// and nothing else changes.
bool MouseForwarder::release(Ctl control, QWidget* widget, const QMouseEvent* mouse) {
    if (layout_row(control).kind == Kind::Field) return false;
    const bool over_pressed =
        pressed_ == control && widget->rect().contains(mouse->position().toPoint());
    pressed_ = Ctl::none;
    if (!over_pressed) return true;
    if (mouse->button() == Qt::LeftButton) {
        link_.act([control](Calculator& calc) { click_control(calc, control); });
    } else if (const Handler on_release = find_handler(control, Event::MouseUp)) {
        link_.act([control, on_release](Calculator& calc) {
            on_release(calc, control);
            settle_focus(calc);
        });
    }
    return true;
}

}  // namespace orlavex::ui
