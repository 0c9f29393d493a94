// A label that can draw its text with a narrow halo in the window's
// background colour, so that a transparent label stays readable where it
// lies over a picture (the error message over the large logo).
#pragma once

#include <QLabel>

namespace orlavex::ui {

class HaloLabel : public QLabel {
  public:
    using QLabel::QLabel;

    void set_halo(bool halo) { halo_ = halo; }
    bool has_halo() const { return halo_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool halo_ = false;
};

}  // namespace orlavex::ui
