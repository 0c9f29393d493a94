// Helpers for driving the real main window under the offscreen platform:
// finding widgets by their control names, typing as the keyboard does, and
// taking a snapshot of everything the window shows.
#pragma once

#include "ui/main_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <map>

namespace orlavex::ui::testing {

// The widget named NAME in WINDOW (a control name of the layout).
template <typename Widget = QWidget>
Widget* control(const QWidget& window, const char* name) {
    return window.findChild<Widget*>(QString::fromLatin1(name));
}

// Shows WINDOW and waits until it has the keyboard.
inline bool show_active(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// Keys go where the keyboard sends them: to the focused widget.
inline QWidget* keyboard_target(QWidget& window) {
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus : &window;
}

inline void type(QWidget& window, const QString& text) {
    for (QChar c : text)
        QTest::keyClicks(keyboard_target(window), QString(c));
}

inline void press(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(keyboard_target(window), key, modifiers);
}

inline void click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

// What one widget shows.
struct Shown {
    QString text;
    QString tooltip;
    QRect geometry;
    bool visible = false;
    bool enabled = false;
    QPalette palette;

    bool operator==(const Shown& other) const {
        return text == other.text && tooltip == other.tooltip && geometry == other.geometry &&
               visible == other.visible && enabled == other.enabled &&
               palette.resolveMask() == other.palette.resolveMask() && palette == other.palette;
    }
};

inline QString shown_text(const QWidget* widget) {
    QVariant text = widget->property("text");
    if (!text.isValid()) text = widget->property("title");
    return text.toString();
}

// Every named widget of WINDOW with what it shows, by object name.
inline std::map<QString, Shown> snapshot(const QWidget& window) {
    std::map<QString, Shown> all;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
        all[w->objectName()] = {shown_text(w),           w->toolTip(),   w->geometry(),
                                w->isVisibleTo(&window), w->isEnabled(), w->palette()};
    }
    return all;
}

}  // namespace orlavex::ui::testing
