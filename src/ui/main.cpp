// orlavex: the noise-figure calculator's window.
//
// --exit-after-show ends the program as soon as the window has been shown
// and painted once (for measuring start-up). --help and --version are
// answered before Qt starts, so that they need no display.
#include "planner/planner_module.h"
#include "ui/application_setup.h"
#include "ui/command_line.h"
#include "ui/first_paint.h"
#include "ui/main_window.h"

#include <QApplication>

#include <cstdio>
#include <span>

int main(int argc, char* argv[]) {
    if (const auto answer = orlavex::ui::answer_before_window(
            std::span<char* const>(argv + 1, argv + argc), ORLAVEX_VERSION)) {
        std::fputs(answer->text.c_str(), stdout);
        return answer->exit_status;
    }
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
