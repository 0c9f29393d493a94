// Comparing two drawings of the same size pixel by pixel.
#pragma once

#include <QImage>

#include <cstdlib>

namespace orlavex::charts::testing {

// The pixels whose colours differ by more than an antialiased edge's
// shading (a sum of 96 over the three channels).
inline long differing_pixels(const QImage& a, const QImage& b) {
    long count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                    std::abs(qBlue(p) - qBlue(q)) >
                96)
                ++count;
        }
    return count;
}

}  // namespace orlavex::charts::testing
