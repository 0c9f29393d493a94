// PNG images of the charts, written with libpng set for speed: a chart is
// mostly flat colour, which plain rows at the fastest deflate level already
// pack well, while libpng's default (every row filter tried on every row,
// level 6) takes several times longer than drawing the chart.
#pragma once

#include <QImage>

#include <optional>
#include <string>
#include <vector>

namespace orlavex::charts {

// A text chunk: KEY is Latin-1 (1 to 79 characters), TEXT is UTF-8.
struct PngText {
    std::string key, text;
};

// IMAGE (any format; written as 8-bit RGB) with its resolution and TEXTS as
// the bytes of a PNG file; none when memory runs out.
std::optional<std::string> png_bytes(const QImage& image, const std::vector<PngText>& texts = {});

}  // namespace orlavex::charts
