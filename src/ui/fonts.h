// The fonts of the design ("MS Sans Serif", "Microsoft Sans Serif", "Arial")
// are platform fonts; the window draws them with a metric-compatible free
// substitute, Liberation Sans (Debian package fonts-liberation2).
#pragma once

#include "form/layout.h"

#include <QFont>
#include <QStringList>

namespace orlavex::ui {

// The families tried in order for every designed font.
QStringList substitute_families();

// Point sizes of the design are meant for 96 dots per inch; the widgets use
// pixel sizes so that text keeps its proportion to the pixel rectangles.
int pixel_size(double points);

// DESIGNED at SIZE points (the model may change the size at run time).
QFont font_for(const Font& designed, double size);

// The font of menus, tool tips and dialog buttons.
QFont application_font();

}  // namespace orlavex::ui
