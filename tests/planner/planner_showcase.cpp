// planner_showcase: the calculator window with its planner opened through
// Tools > Planner..., a set-up an engineer would plan (an ENR table, jitter,
// a Monte Carlo band, a selected point, the advice ranked or the margins
// tab shown), left on screen for screenshots. Not a test: it runs until
// closed.
//
//   planner_showcase [ENR_TABLE [advice|margins]]
#include "planner_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QTabWidget>

using namespace orlavex::planner;
using namespace orlavex::planner::testing;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    auto window = calculator_window();
    window->move(0, 0);
    window->show();
    PlannerWindow* planner = open_planner(*window);
    if (argc > 1) planner->load_enr_table(QString::fromLocal8Bit(argv[1]));
    planner->findChild<QDoubleSpinBox*>(QStringLiteral("noiseBandwidth"))->setValue(4e6);
    planner->findChild<QDoubleSpinBox*>(QStringLiteral("integrationTime"))->setValue(0.05);
    planner->findChild<QSpinBox*>(QStringLiteral("trials"))->setValue(5000);
    planner->findChild<QCheckBox*>(QStringLiteral("monteCarlo"))->setChecked(true);
    if (!wait_for_sweep(*planner, 60000)) return 1;
    planner->select_point(planner->result()->points.size() / 3);
    const QByteArray page = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    if (page == "advice") {
        QSignalSpy advised(planner, &PlannerWindow::advice_shown);
        planner->start_advice();
        if (!advised.wait(120000)) return 1;
    }
    // The tab of that name; "margins" is one only on a low screen.
    auto* tabs = planner->findChild<QTabWidget*>();
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i).compare(QString::fromLatin1(page), Qt::CaseInsensitive) == 0)
            tabs->setCurrentIndex(i);
    return QApplication::exec();
}
