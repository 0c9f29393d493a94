// planner_showcase: the calculator window with its planner opened through
// Tools > Planner..., a set-up an engineer would plan (an ENR table, jitter,
// a Monte Carlo band, a selected point, the advice ranked or the margins
// tab shown, or the bench filled in, with the File or Edit menu open), left
// on screen for screenshots. Not a test: it runs until closed.
//
//   planner_showcase [ENR_TABLE [advice|margins|bench|model|typed|file-menu|edit-menu [LOSS_S2P]]]
//   planner_showcase - measured SETUP READINGS    (a set-up and readings over it)
//   planner_showcase - measure SETUP RESOURCE [PROFILE [SUPPLY]]
//                                                 (the Measure dialog after a run,
//                                                  the source on a supply at SUPPLY)
#include "planner_fixture.h"

#include "planner/measure_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>

#include <utility>

using namespace orlavex::planner;
using namespace orlavex::planner::testing;

namespace {

// The set-up SETUP with readings opened over it, or measured on the bench
// at RESOURCE with the Measure dialog left open.
int show_measured(PlannerWindow& planner, const QByteArray& page, int argc, char* argv[]) {
    if (argc < 5) return 2;
    planner.set_dialogs(desktop_dialogs());
    if (!planner.open_setup_file(QString::fromLocal8Bit(argv[3]))) return 1;
    planner.findChild<QDoubleSpinBox*>(QStringLiteral("sweepFrom"))->setValue(0.5);
    planner.findChild<QDoubleSpinBox*>(QStringLiteral("sweepTo"))->setValue(18);
    if (!wait_for_sweep(planner, 60000)) return 1;
    if (page == "measured") {
        if (!planner.open_readings_file(QString::fromLocal8Bit(argv[4]))) return 1;
        return QApplication::exec();
    }
    MeasureDialog* dialog = planner.open_measure_dialog();
    orlavex::session::MeasureChoices c = dialog->choices();
    c.analyzer = argv[4];
    c.points = 8;
    c.repeat = 3;
    c.ask = false;
    if (argc > 5) c.profile = argv[5];
    if (argc > 6) c.source = std::string("supply:") + argv[6];
    dialog->set_choices(c);
    dialog->show();
    dialog->test_connection();
    QSignalSpy ended(dialog, &MeasureDialog::run_ended);
    if (!dialog->start() || !ended.wait(120000)) return 1;
    return QApplication::exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    auto window = calculator_window();
    window->move(0, 0);
    window->show();
    PlannerWindow* planner = open_planner(*window);
    const QByteArray page = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    if (page == "measured" || page == "measure") return show_measured(*planner, page, argc, argv);
    // Typed reflections stand where no file gives them: no ENR table there.
    if (argc > 1 && page != "typed") planner->load_enr_table(QString::fromLocal8Bit(argv[1]));
    if (page == "bench" || page.endsWith("-menu")) {
        if (argc > 3) planner->load_loss_file(LossSide::before, QString::fromLocal8Bit(argv[3]));
        planner->findChild<QDoubleSpinBox*>(QStringLiteral("lossOut"))->setValue(0.5);
        planner->findChild<QDoubleSpinBox*>(QStringLiteral("lossOutTemp"))->setValue(77);
        planner->findChild<QDoubleSpinBox*>(QStringLiteral("lossOutUnc"))->setValue(0.05);
        auto* source = planner->findChild<QComboBox*>(QStringLiteral("measSource"));
        source->setCurrentIndex(source->findText(QStringLiteral("NS346C")));
    }
    if (page == "bias" || page == "typed") {
        // The reflections known from the source's table and the DUT's .s2p,
        // or typed in the model box (the model's LNA and source at 2 GHz).
        if (argc > 3) planner->load_sparameters(QString::fromLocal8Bit(argv[3]));
        auto* reflections = planner->findChild<QComboBox*>(QStringLiteral("reflections"));
        reflections->setCurrentIndex(reflections->findText(QStringLiteral("known")));
    }
    if (page == "typed") {
        for (const auto& [name, text] : {std::pair{"source_on_gamma", "0.05@30"},
                                         {"source_off_gamma", "0.12@-80"},
                                         {"dut_s11", "0.5@-60"},
                                         {"dut_gamma_opt", "0.3@40"}}) {
            auto* field = planner->findChild<QLineEdit*>(QString::fromLatin1(name));
            field->setText(QString::fromLatin1(text));
            emit field->editingFinished();
        }
        planner->findChild<QDoubleSpinBox*>(QStringLiteral("dut_nfmin"))->setValue(0.4);
        planner->findChild<QDoubleSpinBox*>(QStringLiteral("dut_rn"))->setValue(0.15);
    }
    planner->findChild<QDoubleSpinBox*>(QStringLiteral("noiseBandwidth"))->setValue(4e6);
    planner->findChild<QDoubleSpinBox*>(QStringLiteral("integrationTime"))->setValue(0.05);
    planner->findChild<QSpinBox*>(QStringLiteral("trials"))->setValue(5000);
    planner->findChild<QCheckBox*>(QStringLiteral("monteCarlo"))->setChecked(true);
    if (!wait_for_sweep(*planner, 60000)) return 1;
    planner->select_point(planner->result()->points.size() / 3);
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
    if (page == "bench") {
        QTimer::singleShot(1000, planner, [planner] {
            planner->findChild<QScrollArea*>()->ensureWidgetVisible(
                planner->findChild<QWidget*>(QStringLiteral("measVswr")));
        });
    }
    if (page == "model" || page == "typed") {
        // A converting DUT's image options (the calculator's DUT converts
        // nothing: they wait for its Freq Conv.).
        if (page == "model") {
            planner->findChild<QComboBox*>(QStringLiteral("lo_side"))->setCurrentIndex(1);
            planner->findChild<QDoubleSpinBox*>(QStringLiteral("image_ratio_unc"))->setValue(0.5);
        }
        QTimer::singleShot(3000, planner, [planner] {
            auto* box = planner->findChild<QWidget*>(QStringLiteral("modelOptions"));
            for (auto* scroll : planner->findChildren<QScrollArea*>())
                if (scroll->isAncestorOf(box)) scroll->ensureWidgetVisible(box);
        });
    }
    if (page.endsWith("-menu")) {
        const QString name =
            page == "file-menu" ? QStringLiteral("fileMenu") : QStringLiteral("editMenu");
        QTimer::singleShot(1500, planner, [planner, name] {
            auto* menu = planner->findChild<QMenu*>(name);
            planner->findChild<QMenuBar*>()->setActiveAction(menu->menuAction());
        });
    }
    return QApplication::exec();
}
