// The stored pictures of the windows (instrument, amplifier and mixer
// symbols, drop-down arrow, logos, icon), drawn as SVG and built into the
// program as resources.
#pragma once

#include <QIcon>
#include <QString>
#include <QSvgRenderer>
#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace orlavex::ui {

// Loads each picture once and lends its renderer to every widget showing it.
class PictureLibrary {
  public:
    PictureLibrary();

    // The renderer of the picture called NAME in the layout; an empty
    // renderer for an unknown name.
    QSvgRenderer* renderer(std::string_view name);

    // The window icon in the sizes a desktop asks for.
    QIcon window_icon();

    static QString resource_path(std::string_view name);

  private:
    std::map<std::string, std::unique_ptr<QSvgRenderer>, std::less<>> renderers_;
};

// A picture stretched over its rectangle, as the design's pictures are.
class PictureWidget : public QWidget {
  public:
    PictureWidget(QSvgRenderer* picture, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QSvgRenderer* picture_;
};

}  // namespace orlavex::ui
