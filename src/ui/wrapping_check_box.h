// A check box whose caption wraps onto further lines within its rectangle,
// which QCheckBox does not do.
#pragma once

#include <QCheckBox>

namespace orlavex::ui {

class WrappingCheckBox : public QCheckBox {
  public:
    using QCheckBox::QCheckBox;

    // The rectangle the caption is drawn in, beside the indicator.
    QRect caption_rect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace orlavex::ui
