#include "ui/application_setup.h"

#include "ui/fonts.h"
#include "ui/window_style.h"

namespace orlavex::ui {

void prepare_application(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("orlavex"));
    // No application display name: the window system would append it to the
    // window's caption, which is the model's alone.
    QApplication::setDesktopFileName(QStringLiteral("com.korvanti.Orlavex"));
    // Fusion draws frames, fields and buttons with the palette that the
    // renderer sets, on every desktop alike.
    auto* style = new WindowStyle;
    QApplication::setStyle(style);
    QApplication::setPalette(style->standardPalette());
    QApplication::setFont(application_font());
    app.setQuitOnLastWindowClosed(true);
}

}  // namespace orlavex::ui
