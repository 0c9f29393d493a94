// Renders the sweep charts offscreen (uncertainty above, margins below) to
// a painter, a PNG or an SVG file. Needs a QApplication.
#pragma once

#include <stdexcept>

#include <QPainter>
#include <QRectF>
#include <QSize>
#include <QString>

#include "charts/image_format.h"
#include "charts/sweep_chart_data.h"

namespace orlavex::charts {

inline constexpr QSize default_image_size{1000, 760};

void paint_sweep_charts(QPainter& painter, const QRectF& target, const SweepChartData& data);

struct ChartFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws ChartFileError when the extension is neither .png nor .svg or the
// file cannot be written.
void write_sweep_charts(const SweepChartData& data, const QString& path,
                        QSize size = default_image_size);

}  // namespace orlavex::charts
