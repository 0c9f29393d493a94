// Renders the sweep charts offscreen (uncertainty above, margins below) to
// a painter, a PNG or an SVG file. Needs a QApplication.
#pragma once

#include <optional>
#include <stdexcept>
#include <string_view>

#include <QPainter>
#include <QRectF>
#include <QSize>
#include <QString>

#include "charts/sweep_chart_data.h"

namespace orlavex::charts {

enum class ImageFormat { png, svg };

// From the file name's extension (.png, .svg, any case); empty for others.
std::optional<ImageFormat> image_format_of(std::string_view path);

inline constexpr QSize default_image_size{1000, 720};

void paint_sweep_charts(QPainter& painter, const QRectF& target, const SweepChartData& data);

struct ChartFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws ChartFileError when the extension is neither .png nor .svg or the
// file cannot be written.
void write_sweep_charts(const SweepChartData& data, const QString& path,
                        QSize size = default_image_size);

}  // namespace orlavex::charts
