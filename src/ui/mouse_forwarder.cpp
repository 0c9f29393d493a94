#include "ui/mouse_forwarder.h"

#include "window/dispatch.h"
#include "window/user_actions.h"

namespace orlavex::ui {

namespace {

bool is_button_control(Ctl control) {
    return layout_row(control).kind == Kind::Button;
}

// A handler of the release of any mouse button (the analyzer and noise
// source selection, the resolution pop-up) answers to every button; a
// plain click handler to the left button only.
bool answers_to(Ctl control, Qt::MouseButton button) {
    return button == Qt::LeftButton || find_handler(control, Event::MouseUp) != nullptr;
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

bool MouseForwarder::release(Ctl control, QWidget* widget, const QMouseEvent* mouse) {
    if (layout_row(control).kind == Kind::Field) return false;
    const bool clicked =
        pressed_ == control && widget->rect().contains(mouse->position().toPoint());
    pressed_ = Ctl::none;
    if (clicked && answers_to(control, mouse->button())) {
        link_.act([control](Calculator& calc) { click_control(calc, control); });
    }
    return true;
}

}  // namespace orlavex::ui
