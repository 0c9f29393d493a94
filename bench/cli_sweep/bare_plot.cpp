// The floor that orlavex-cli sweep --plot is measured against: a bare
// QPainter program that draws what the plot cannot do without (six curves
// of 1001 points and 60 labels, antialiased, on a 1000x760 image) and
// writes the PNG as the plot does, with the same libpng settings and text
// chunks of the same sizes. No charts library, no widgets, no data.
//
//   orlavex_bare_plot FILE.png
#include "charts/png_file.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygonF>

namespace {

constexpr QSize image_size{1000, 760};
constexpr int points_per_curve = 1001;
constexpr int curves = 6;
constexpr int labels = 60;
constexpr int dots_per_meter = 3780;  // 96 dots per inch

// Curve INDEX across BOX: a shallow band edge, as a sweep's are.
QPolygonF curve(int index, const QRectF& box) {
    QPolygonF line;
    line.reserve(points_per_curve);
    const double side = index % 2 == 0 ? -1 : 1;
    for (int i = 0; i < points_per_curve; ++i) {
        const double t = static_cast<double>(i) / (points_per_curve - 1);
        const double y = 0.5 + side * (0.15 + 0.02 * index + 0.1 * std::sin(3 * t + index));
        line.append(QPointF(box.left() + t * box.width(), box.top() + y * box.height()));
    }
    return line;
}

// The plot's pens: +-U solid and +-RSS dashed, 2 px, on the upper chart;
// margins of 1.2 px on the lower.
QPen pen_of(int index) {
    QPen pen(QColor::fromHsv(60 * index, 200, 180), index < 4 ? 2.0 : 1.2);
    if (index == 2 || index == 3) pen.setStyle(Qt::DashLine);
    return pen;
}

void draw(QPainter& painter) {
    const QRectF upper(80, 50, 880, 300), lower(80, 460, 880, 230);
    painter.setPen(QPen(QColor(0xcc, 0xcc, 0xcc), 1));
    painter.drawRect(upper);
    painter.drawRect(lower);
    for (int c = 0; c < curves; ++c) {
        painter.setPen(pen_of(c));
        painter.drawPolyline(curve(c, c < 4 ? upper : lower));
    }
    QFont font(QStringLiteral("Sans Serif"), 9);
    painter.setPen(QColor(0x40, 0x40, 0x44));
    for (int l = 0; l < labels; ++l) {
        font.setBold(l % 15 == 0);  // the titles
        painter.setFont(font);
        const double x = 20 + (l % 12) * 80, y = 30 + (l / 12) * 160;
        painter.drawText(QPointF(x, y), QStringLiteral("%1 GHz").arg(1 + 0.5 * l));
    }
}

// Texts of the sizes the plot writes: its name, a time, a description and
// the set-up.
std::vector<orlavex::charts::PngText> texts() {
    std::string setup = "{\n  \"format\": \"orlavex-setup\",";
    while (setup.size() < 410)
        setup += "\n  \"input\": 1.25,";
    setup += "\n}";
    return {{"Software", "Orlavex bare plot"},
            {"Creation Time", "2026-01-01T00:00:00Z"},
            {"Description", std::string(110, 'd')},
            {"orlavex:setup", setup}};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orlavex_bare_plot FILE.png\n");
        return 2;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    QImage image(image_size, QImage::Format_RGB32);
    image.setDotsPerMeterX(dots_per_meter);
    image.setDotsPerMeterY(dots_per_meter);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        draw(painter);
    }
    const auto png = orlavex::charts::png_bytes(image, texts());
    std::FILE* file = png ? std::fopen(argv[1], "wb") : nullptr;
    if (file == nullptr) return 1;
    const bool written = std::fwrite(png->data(), 1, png->size(), file) == png->size();
    return std::fclose(file) == 0 && written ? 0 : 1;
}
