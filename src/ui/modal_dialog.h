// The About window (frmAbout) and the hints window (frmHints): modal, with
// a fixed dialog border and the size of their layout rows, every text from
// the model. Enter presses the default button and Esc or the close box the
// cancel button, each through the model's click handling; the window
// closes when the model no longer has it open.
#pragma once

#include "ui/model_link.h"
#include "ui/mouse_forwarder.h"
#include "ui/pictures.h"
#include "ui/renderer.h"
#include "ui/window_widgets.h"

#include <QDialog>

#include <memory>

namespace orlavex::ui {

class ModalDialog : public QDialog {
  public:
    ModalDialog(Ctl window, ModelLink& link, PictureLibrary& pictures, QWidget* parent);

    Ctl window() const { return widgets_.window; }
    const WindowWidgets& widgets() const { return widgets_; }
    void render(const Form& form);

  protected:
    void reject() override;

  private:
    ModelLink& link_;
    WindowWidgets widgets_;
    std::unique_ptr<Renderer> renderer_;
    Ctl cancel_button_ = Ctl::none;
};

}  // namespace orlavex::ui
