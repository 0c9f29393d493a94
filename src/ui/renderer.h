// Makes the widgets of one window show the window model: texts, check
// marks, enabled and visible states, colours, tool tips, font sizes,
// positions, the focus and the focused field's selection. It touches only
// what changed since the last call, and it never raises a handler: signals
// of the widgets it changes are blocked.
#pragma once

#include "form/form.h"
#include "ui/window_widgets.h"

#include <QFont>
#include <QPalette>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace orlavex::ui {

class Renderer {
  public:
    Renderer(const WindowWidgets& widgets, QPalette system_colours);

    void render(const Form& form);

    // The field ID was edited natively (paste, cut, undo): the next render
    // compares its text with what it really shows.
    void forget_text(Ctl id);

  private:
    struct Shown {
        bool valid = false;
        bool text_known = false;
        bool caption_due = false;  // its caption waits to be fitted until it shows
        Control control;
        // The fonts its captions were fitted with, by caption and designed
        // size: a step shows the same few captions again and again.
        std::map<std::pair<std::string, double>, QFont> fitted;
    };

    void render_control(Ctl id, const Control& now, Shown& shown, bool showing);
    void render_caption_font(const ControlRow& row, QWidget* widget, const Control& now,
                             Shown& shown);
    void render_background(std::size_t index, const ControlRow& row, QWidget* widget,
                           const Control& now);
    void render_colours(Ctl id, const Control& now);
    void render_focus(const Form& form);

    // The colour behind control ID on the button face.
    QColor behind(Ctl id) const;

    const WindowWidgets& widgets_;
    QPalette system_;
    QColor frame_inside_;
    std::vector<Shown> shown_;        // indexed like WindowWidgets::controls
    std::vector<bool> plain_behind_;  // on a plain part of a frame, or not in one
    Ctl focus_shown_ = Ctl::none;
};

}  // namespace orlavex::ui
