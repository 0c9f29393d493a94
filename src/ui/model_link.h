// The Qt window's one way into the calculator: every forwarded user action
// runs on the model through the user-action entry points, and afterwards
// the window shows the model again.
#pragma once

#include "engine/calculator.h"

#include <functional>
#include <utility>

namespace orlavex::ui {

class ModelLink {
  public:
    explicit ModelLink(Calculator& calc) : calc_(calc) {}

    // AFTER runs once after every action (rendering, pop-ups, dialogs).
    void set_after_action(std::function<void()> after) { after_ = std::move(after); }

    // Runs ACTION(calculator) and then shows the result.
    template <typename Action>
    void act(Action&& action) {
        std::forward<Action>(action)(calc_);
        if (after_) after_();
    }

    // Updates the model without showing anything: for changes that the
    // widget itself already shows (a native edit, a mouse selection).
    template <typename Action>
    void note(Action&& action) {
        std::forward<Action>(action)(calc_);
    }

    const Form& form() const { return calc_.form; }

  private:
    Calculator& calc_;
    std::function<void()> after_;
};

}  // namespace orlavex::ui
