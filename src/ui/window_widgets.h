// The widgets of one window, one per control of the layout, found by
// control id or by widget.
#pragma once

#include "form/layout.h"

#include <QHash>
#include <QWidget>

#include <array>
#include <vector>

namespace orlavex::ui {

struct WindowWidgets {
    Ctl window = Ctl::none;
    std::array<QWidget*, control_count> widget{};  // nullptr: not in this window
    std::vector<Ctl> controls;                     // this window's controls, in layout order
    QHash<const QObject*, Ctl> control_of;

    QWidget* operator[](Ctl id) const { return widget[static_cast<std::size_t>(id)]; }
    Ctl find(const QObject* object) const { return control_of.value(object, Ctl::none); }
};

}  // namespace orlavex::ui
