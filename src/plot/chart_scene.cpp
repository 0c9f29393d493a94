#include "plot/chart_scene.h"

#include <QCoreApplication>

namespace orlavex::report {

ChartScene::ChartScene(std::unique_ptr<QChart> chart, QSize size)
    : scene_(QRectF(QPointF(0, 0), QSizeF(size))) {
    scene_.setBackgroundBrush(Qt::white);
    QChart* drawn = chart.release();
    scene_.addItem(drawn);  // the scene owns it from here
    drawn->setGeometry(scene_.sceneRect());
    // The chart lays out its axes and legend on posted events.
    QCoreApplication::sendPostedEvents();
}

void ChartScene::render(QPainter& painter, const QRectF& target) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    scene_.render(&painter, target, scene_.sceneRect(), Qt::IgnoreAspectRatio);
    painter.restore();
}

}  // namespace orlavex::report
