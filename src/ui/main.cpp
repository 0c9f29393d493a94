// orlavex: the noise-figure calculator's window.
//
// --exit-after-show ends the program as soon as the window has been shown
// and painted once (for measuring start-up).
#include "planner/planner_module.h"
#include "ui/application_setup.h"
#include "ui/first_paint.h"
#include "ui/main_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    orlavex::ui::prepare_application(app);
    const bool exit_after_show =
        QApplication::arguments().contains(QStringLiteral("--exit-after-show"));

    orlavex::ui::MainWindow window;
    orlavex::planner::add_tools_menu(
        window, [&window] { return window.calculator(); },
        orlavex::planner::open_from_module(orlavex::planner::planner_module_directories()));
    if (exit_after_show) {
        orlavex::ui::after_first_paint(&window, [] { QCoreApplication::exit(0); });
    }
    window.show();
    return QApplication::exec();
}
