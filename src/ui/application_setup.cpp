#include "ui/application_setup.h"

#include "ui/fonts.h"

#include <QStyle>
#include <QStyleFactory>

namespace orlavex::ui {

void prepare_application(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("orlavex"));
    QApplication::setApplicationDisplayName(QStringLiteral("Orlavex"));
    QApplication::setDesktopFileName(QStringLiteral("orlavex"));
    // Fusion draws frames, fields and buttons with the palette that the
    // renderer sets, on every desktop alike.
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(fusion);
        QApplication::setPalette(fusion->standardPalette());
    }
    QApplication::setFont(application_font());
    app.setQuitOnLastWindowClosed(true);
}

}  // namespace orlavex::ui
