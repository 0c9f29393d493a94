// PNG files of the charts, written with libpng set for speed: a chart is
// mostly flat colour, which plain rows at the fastest deflate level already
// pack well, while libpng's default (every row filter tried on every row,
// level 6) takes several times longer than drawing the chart.
#pragma once

#include "charts/sweep_chart_data.h"

#include <QImage>
#include <QString>

namespace orlavex::charts {

// IMAGE (any format; written as 8-bit RGB) with its resolution and the
// METADATA as text chunks; false when the file cannot be written.
bool write_png(const QImage& image, const QString& path, const ChartMetadata& metadata = {});

}  // namespace orlavex::charts
