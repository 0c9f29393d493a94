// One of the report's charts laid out on its own scene at a fixed size,
// to be drawn as vectors into any painter: the PDF's page where the chart
// stands, or an SVG generator for the HTML page. Needs a QApplication.
#pragma once

#include <memory>

#include <QGraphicsScene>
#include <QPainter>
#include <QRectF>
#include <QSize>
#include <QtCharts/QChart>

namespace orlavex::report {

class ChartScene {
  public:
    // CHART laid out across SIZE (its text sizes those of 96 dpi).
    ChartScene(std::unique_ptr<QChart> chart, QSize size);

    // The whole chart stretched across TARGET of PAINTER.
    void render(QPainter& painter, const QRectF& target);

  private:
    QGraphicsScene scene_;
};

}  // namespace orlavex::report
