#include "ui/pictures.h"

#include "ui/qstring.h"

#include <QPainter>
#include <QPixmap>

// Resources of a static library must be registered by name, outside any
// namespace.
static void register_picture_resources() {
    Q_INIT_RESOURCE(orlavex);
}

namespace orlavex::ui {

PictureLibrary::PictureLibrary() {
    register_picture_resources();
}

QString PictureLibrary::resource_path(std::string_view name) {
    return QStringLiteral(":/pictures/") + qstring(name) + QStringLiteral(".svg");
}

QSvgRenderer* PictureLibrary::renderer(std::string_view name) {
    if (auto found = renderers_.find(name); found != renderers_.end()) return found->second.get();
    auto loaded = std::make_unique<QSvgRenderer>(resource_path(name));
    QSvgRenderer* raw = loaded.get();
    renderers_.emplace(std::string(name), std::move(loaded));
    return raw;
}

QIcon PictureLibrary::window_icon() {
    QSvgRenderer* icon = renderer("icon");
    QIcon result;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        icon->render(&painter);
        painter.end();
        result.addPixmap(pixmap);
    }
    return result;
}

PictureWidget::PictureWidget(QSvgRenderer* picture, QWidget* parent)
    : QWidget(parent), picture_(picture) {}

void PictureWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    picture_->render(&painter, QRectF(rect()));
}

}  // namespace orlavex::ui
