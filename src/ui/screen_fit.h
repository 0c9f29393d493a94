// The calculator's client area inside its window: shown whole and as it is
// where the screen has room for it, scrolled within the room there is where
// the screen is smaller (a large scale factor on a small screen). Its size
// hint, which the window takes as its fixed size, is the client's own size
// or that room.
#pragma once

#include <QScrollArea>

#include <functional>

namespace orlavex::ui {

class ScreenFit : public QScrollArea {
  public:
    // ROOM gives the space the window's screen leaves for the client.
    ScreenFit(QWidget* client, std::function<QSize()> room, QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  private:
    std::function<QSize()> room_;
};

}  // namespace orlavex::ui
