// The planner under many steps of an input: each Up or Down in the DUT
// noise-figure field sweeps again and redraws both charts and the budget.
// The program's resident memory must level off: what a step replaces is
// freed, and what Qt caches for reuse is reused.
#include "planner_fixture.h"

#include <QDoubleSpinBox>
#include <QFile>
#include <QSpinBox>
#include <QtCharts/QChartView>

#include <malloc.h>

using namespace orlavex;
using namespace orlavex::planner;
using namespace orlavex::planner::testing;

namespace {

// Resident set size in kB, from /proc/self/status.
long resident_kb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').front().toLong();
    return -1;
}

}  // namespace

class PlannerSoakTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { fail_on_qt_warnings(); }

    void memory_levels_off_over_many_steps() {
        auto window = calculator_window();
        PlannerWindow* planner = open_planner(*window);
        planner->resize(1400, 1000);
        QVERIFY(QTest::qWaitForWindowExposed(planner));
        planner->findChild<QSpinBox*>(QStringLiteral("sweepPoints"))->setValue(21);
        QVERIFY(wait_for_sweep(*planner));
        auto* nf = planner->findChild<QDoubleSpinBox*>(QStringLiteral("dutNf"));
        auto* chart = planner->findChild<QChartView*>(QStringLiteral("uncertaintyChart"));
        nf->setFocus();
        int step = 0;
        const auto steps = [&](int count) {
            for (int i = 0; i < count; ++i, ++step) {
                QTest::keyClick(nf, step % 2 == 0 ? Qt::Key_Up : Qt::Key_Down);
                if (!wait_for_sweep(*planner)) return false;
                chart->grab();  // drawn, as on the screen
            }
            return true;
        };
        // The first steps fill what Qt keeps for reuse (glyphs, pixmaps).
        QVERIFY(steps(50));
        malloc_trim(0);
        const long settled = resident_kb();
        QVERIFY(steps(400));
        malloc_trim(0);
        const long after = resident_kb();
        qInfo("resident: %ld kB after 50 steps, %ld kB after 450", settled, after);
        // A budget's colour swatches once filled Qt's pixmap cache, 16 kB a
        // step up to its 10 MB: 400 steps took 6 MB.
        QVERIFY2(after - settled < 256,
                 qPrintable(QStringLiteral("grew %1 kB in 400 steps").arg(after - settled)));
    }
};

QTEST_MAIN(PlannerSoakTest)
#include "planner_soak_test.moc"
