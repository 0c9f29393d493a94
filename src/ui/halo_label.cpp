#include "ui/halo_label.h"

#include <QPainter>
#include <QStyle>

namespace orlavex::ui {

void HaloLabel::paintEvent(QPaintEvent* event) {
    if (!halo_ || text().isEmpty()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    const QRect room = contentsRect().adjusted(indent() > 0 ? indent() : 0, 0, 0, 0);
    const int flags = int(alignment()) | (wordWrap() ? int(Qt::TextWordWrap) : 0);
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    painter.setPen(palette().color(group, QPalette::Window));
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (dx != 0 || dy != 0) painter.drawText(room.translated(dx, dy), flags, text());
        }
    }
    painter.setPen(palette().color(group, QPalette::WindowText));
    painter.drawText(room, flags, text());
}

}  // namespace orlavex::ui
