// The menus of the main window: the menu bar ("File", "Option", "Web",
// "Help") and the four pop-up menus, built from the layout's menu rows and
// showing the model's captions, check marks and visible and enabled states.
#pragma once

#include "form/form.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <array>
#include <functional>
#include <memory>

namespace orlavex::ui {

// The object name of a menu item: its name, with the index of an indexed
// array in brackets ("mnuWeb(2)").
QString menu_object_name(Ctl id);

// The control a menu item stands for (stored on the action).
Ctl control_of_action(const QAction* action);

// Shows the model's state of ITEM on ACTION.
void render_menu_item(QAction* action, const Control& item);

class MenuBar {
  public:
    using Chosen = std::function<void(Ctl item)>;

    // Fills BAR with every menu row that the bar shows; CHOSEN runs for a
    // triggered item.
    MenuBar(QMenuBar* bar, Chosen chosen);

    void render(const Form& form);

    QAction* action(Ctl item) const { return actions_[static_cast<std::size_t>(item)]; }

  private:
    Chosen chosen_;
    std::array<QAction*, control_count> actions_{};
    std::array<Control, control_count> shown_{};
    bool shown_valid_ = false;
};

// A pop-up menu (mnuSAtop, mnuNStop, mnuRes_top, mnuIntPAsel) with its
// submenus, as the model shows it now.
std::unique_ptr<QMenu> build_popup_menu(const Form& form, Ctl menu, QWidget* parent);

}  // namespace orlavex::ui
