#include "ui/fonts.h"

#include <cmath>

namespace orlavex::ui {

QStringList substitute_families() {
    return {"Liberation Sans", "Arimo", "DejaVu Sans"};
}

int pixel_size(double points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QFont font_for(const Font& designed, double size) {
    QFont font;
    font.setFamilies(substitute_families());
    font.setPixelSize(pixel_size(size));
    font.setBold(designed.bold);
    font.setUnderline(designed.underline);
    return font;
}

QFont application_font() {
    return font_for(Font{}, 9.0);
}

}  // namespace orlavex::ui
