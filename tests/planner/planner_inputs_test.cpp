// What the planner takes in and when its results stop holding: a calculator
// in manual entry, advice and charts that no longer match the inputs, the
// selected point across sweeps, the noise-bandwidth field, the keys that
// close the window and where it opens.
#include "planner_fixture.h"

#include "app/inputs/model_inputs.h"
#include "app/inputs/reflection_text.h"
#include "engine/controls.h"
#include "planner/bandwidth_box.h"
#include "planner/placement.h"
#include "planning/advice.h"
#include "planning/sweep.h"
#include "ui/qstring.h"
#include "window/set_up_actions.h"
#include "window/user_actions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QWheelEvent>
#include <QtCharts/QChartView>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <stdexcept>

using namespace orlavex;
using namespace orlavex::planner;
using namespace orlavex::planner::testing;

namespace {

template <typename Widget>
Widget* find(const QWidget& window, const char* name) {
    return window.findChild<Widget*>(QString::fromLatin1(name));
}

void must(const std::string& why) {
    if (!why.empty()) throw std::runtime_error(why);
}

// The calculator with Aravel-3 and the NS346B chosen, then switched to the
// manual entry of four measured levels (which makes the analyzer "User
// Defined" there) with the levels LEVELS typed in.
Calculator manual_entry_calculator(std::array<const char*, 4> levels) {
    Calculator calc = started_calculator();
    must(choose_analyzer(calc, "Aravel-3"));
    must(choose_noise_source(calc, "NS346B"));
    must(click_control(calc, Ctl::mnuShowManMeas));
    must(click_control(calc, Ctl::chkUseManMeas));
    const std::array fields = {Ctl::txtCalON, Ctl::txtCalOFF, Ctl::txtMeasON, Ctl::txtMeasOFF};
    for (std::size_t i = 0; i < fields.size(); ++i)
        must(enter_text(calc, fields[i], levels[i]));
    return calc;
}

// One notch of the mouse wheel over the middle of WIDGET, upwards or down.
// Returns whether WIDGET took it: the window system passes an event that is
// not taken on to the parents, and so to the scroll area.
bool wheel_notch(QWidget* widget, bool up) {
    const QPointF centre = QRectF(widget->rect()).center();
    QWheelEvent notch(centre, widget->mapToGlobal(centre), QPoint(), QPoint(0, up ? 120 : -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &notch);
    return notch.isAccepted();
}

// What a spin box or choice box shows.
QString shown_value(const QWidget* box) {
    const QVariant text = box->property("text");
    return text.isValid() ? text.toString() : box->property("currentText").toString();
}

std::size_t in_range(const planning::SweepResult& result) {
    return static_cast<std::size_t>(std::ranges::count_if(
        result.points, [](const planning::SweepPoint& p) { return p.in_range; }));
}

bool rank_advice(PlannerWindow& planner) {
    QSignalSpy advised(&planner, &PlannerWindow::advice_shown);
    planner.start_advice();
    return advised.wait(120000) && planner.advice_current();
}

}  // namespace

class PlannerInputsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { fail_on_qt_warnings(); }

    void a_calculator_in_manual_entry_is_planned_as_a_prediction() {
        // Levels that contradict each other (Meas OFF >= Meas ON), and the
        // start-up's consistent ones.
        for (const auto& levels : {std::array{"-108.896", "-114", "-102.223", "-94.663"},
                                   std::array{"-108.896", "-114", "-94.663", "-102.223"}}) {
            const Calculator calculator = manual_entry_calculator(levels);
            QVERIFY(is_ticked(calculator, Ctl::chkUseManMeas));
            PlannerWindow planner([&] { return calculator; });
            planner.findChild<QSpinBox*>(QStringLiteral("sweepPoints"))->setValue(21);
            QVERIFY(wait_for_sweep(planner));
            QVERIFY(!is_ticked(planner.setup(), Ctl::chkUseManMeas));
            QCOMPARE(planner.setup().form[Ctl::lblNSsel].text, std::string("NS346B"));
            // Every point within the noise source's 18 GHz has a figure.
            const planning::SweepResult& result = *planner.result();
            QCOMPARE(in_range(result), result.points.size());
            for (const planning::SweepPoint& p : result.points)
                QVERIFY2(p.gum.valid, p.note.c_str());
            QVERIFY(find<QLabel>(planner, "status")
                        ->text()
                        .startsWith(QStringLiteral("21 points, 21 in range")));

            // The DUT's gain from the S-parameters goes into the plan.
            QVERIFY(
                planner.load_sparameters(ORLAVEX_TEST_DATA_DIR "/../../examples/lna_1-18ghz.s2p"));
            QVERIFY(wait_for_sweep(planner));
            const planning::SweepResult& with_s2p = *planner.result();
            QVERIFY2(in_range(with_s2p) >= with_s2p.points.size() - 2,
                     with_s2p.points.back().note.c_str());
            for (const planning::SweepPoint& p : with_s2p.points)
                QVERIFY2(p.note.find("outside what the window takes") == std::string::npos,
                         p.note.c_str());

            // The planner's own choice of analyzer holds.
            auto* analyzer = find<QComboBox>(planner, "analyzer");
            analyzer->setCurrentIndex(analyzer->findText(QStringLiteral("Aravel-3")));
            QCOMPARE(planner.setup().form[Ctl::lblSAsel].text, std::string("Aravel-3"));
            QVERIFY(wait_for_sweep(planner));
            QCOMPARE(planner.setup().form[Ctl::lblSAsel].text, std::string("Aravel-3"));
            QCOMPARE(analyzer->currentText(), QStringLiteral("Aravel-3"));
        }
    }

    // A converting DUT: the selected point's budget and its tooltip name the
    // LO and the image beside the frequency (10 GHz to 1 GHz, LO below: LO
    // 9 GHz, image 8 GHz).
    void a_converting_duts_points_show_their_lo_and_image() {
        Calculator calc = started_calculator();
        must(click_control(calc, Ctl::chkFreqConv));
        must(enter_text(calc, Ctl::txtFreq2, "1"));
        PlannerWindow planner([&] { return calc; });
        planner.findChild<QDoubleSpinBox*>(QStringLiteral("sweepFrom"))->setValue(2);
        planner.findChild<QDoubleSpinBox*>(QStringLiteral("sweepTo"))->setValue(18);
        planner.findChild<QSpinBox*>(QStringLiteral("sweepPoints"))->setValue(17);
        QVERIFY(wait_for_sweep(planner));
        const std::size_t at_10_ghz = 8;
        const planning::SweepPoint& p = planner.result()->points[at_10_ghz];
        QCOMPARE(p.freq_ghz, 10.0);
        QVERIFY(p.in_range);
        planner.select_point(at_10_ghz);
        const QString heading = find<QLabel>(planner, "budgetHeading")->text();
        QVERIFY2(heading.contains(QStringLiteral("(LO 9 GHz, image 8 GHz)")), qPrintable(heading));
        QVERIFY(planner.budget_text().contains(QStringLiteral("(LO 9 GHz, image 8 GHz)")));
    }

    // With an image ratio the Advice tab ranks the sidebands too, as the
    // library ranks them; without one it says nothing of them.
    void the_advice_ranks_a_converting_duts_sidebands_where_an_image_ratio_is_given() {
        Calculator calc = started_calculator();
        must(click_control(calc, Ctl::chkFreqConv));
        must(enter_text(calc, Ctl::txtFreq2, "1"));
        PlannerWindow planner([&] { return calc; });
        planner.findChild<QDoubleSpinBox*>(QStringLiteral("sweepFrom"))->setValue(2);
        planner.findChild<QDoubleSpinBox*>(QStringLiteral("sweepTo"))->setValue(12);
        planner.findChild<QSpinBox*>(QStringLiteral("sweepPoints"))->setValue(6);
        QVERIFY(wait_for_sweep(planner));
        auto* sidebands = find<QLabel>(planner, "adviceSidebands");
        QVERIFY(rank_advice(planner));
        QVERIFY(sidebands->isHidden());
        find<QDoubleSpinBox>(planner, "image_ratio")->setValue(-6);
        find<QDoubleSpinBox>(planner, "image_ratio_unc")->setValue(1);
        QVERIFY(wait_for_sweep(planner));
        QVERIFY(rank_advice(planner));
        const planning::Advice expected = planning::advise(planner.current_sweep());
        QVERIFY(expected.sidebands.has_value());
        QVERIFY(!sidebands->isHidden());
        QVERIFY2(sidebands->text().startsWith(QStringLiteral("Sidebands: ") +
                                              QString::fromStdString(expected.sidebands->summary)),
                 qPrintable(sidebands->text()));
        QVERIFY(sidebands->text().contains(QStringLiteral("SSB")) &&
                sidebands->text().contains(QStringLiteral("DSB")));
    }

    void advice_for_other_inputs_is_marked_and_not_applied() {
        auto window = calculator_window();
        PlannerWindow* planner = open_planner(*window);
        find<QSpinBox>(*planner, "sweepPoints")->setValue(5);
        QVERIFY(wait_for_sweep(*planner));
        auto* table = find<QTableWidget>(*planner, "adviceTable");
        auto* hint = find<QLabel>(*planner, "adviceHint");
        const QString fresh_hint = hint->text();
        const auto outdated_by = [&](const std::function<void()>& change) {
            if (!rank_advice(*planner)) return false;
            if (!table->isEnabled() || hint->text() != fresh_hint) return false;
            change();
            return !planner->advice_current() && !table->isEnabled() && hint->text() != fresh_hint;
        };
        // A new sweep, From Calculator, a file cleared.
        QVERIFY(outdated_by([&] { find<QSpinBox>(*planner, "sweepPoints")->setValue(6); }));
        const std::string source_before = planner->setup().form[Ctl::lblNSsel].text;
        std::size_t row = 0;
        while (planner->advice().ranking[row].candidate.noise_source == source_before ||
               planner->advice().ranking[row].candidate.noise_source == "User")
            ++row;
        planner->apply_advice(row);
        QCOMPARE(planner->setup().form[Ctl::lblNSsel].text, source_before);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                           table->visualItemRect(table->item(int(row), 1)).center());
        QCOMPARE(planner->setup().form[Ctl::lblNSsel].text, source_before);

        QVERIFY(outdated_by([&] { find<QPushButton>(*planner, "fromCalculator")->click(); }));
        QVERIFY(planner->load_enr_table(ORLAVEX_TEST_DATA_DIR "/source.enr"));
        QVERIFY(outdated_by([&] { find<QPushButton>(*planner, "enrClear")->click(); }));

        // Applying a row keeps the ranking: it compared these very choices.
        QVERIFY(wait_for_sweep(*planner));
        QVERIFY(rank_advice(*planner));
        planner->apply_advice(row);
        QCOMPARE(planner->setup().form[Ctl::lblNSsel].text,
                 planner->advice().ranking[row].candidate.noise_source);
        QVERIFY(planner->advice_current());
        QVERIFY(table->isEnabled());
        QVERIFY(wait_for_sweep(*planner));
    }

    void a_refused_sweep_clears_the_charts_and_the_progress() {
        auto window = calculator_window();
        PlannerWindow* planner = open_planner(*window);
        find<QSpinBox>(*planner, "sweepPoints")->setValue(11);
        QVERIFY(wait_for_sweep(*planner));
        auto* progress = find<QProgressBar>(*planner, "sweepProgress");
        QCOMPARE(progress->value(), progress->maximum());
        auto* chart = find<QChartView>(*planner, "uncertaintyChart");
        QVERIFY(!chart->chart()->series().isEmpty());

        // A logarithmic sweep cannot start at 0 GHz.
        QSignalSpy stopped(planner, &PlannerWindow::sweep_stopped);
        find<QCheckBox>(*planner, "sweepLog")->setChecked(true);
        find<QDoubleSpinBox>(*planner, "sweepFrom")->setValue(0);
        QVERIFY(stopped.wait(20000));
        QVERIFY(!planner->sweep_running());
        QCOMPARE(planner->result(), nullptr);
        QCOMPARE(progress->value(), progress->minimum());
        for (const char* name : {"uncertaintyChart", "marginChart"})
            QVERIFY(find<QChartView>(*planner, name)->chart()->series().isEmpty());
        QCOMPARE(find<QTableWidget>(*planner, "budgetTable")->rowCount(), 0);
        QVERIFY(find<QLabel>(*planner, "status")->text().contains(QStringLiteral("cannot")));
        QVERIFY(!planner->export_csv(QStringLiteral("/dev/null")).isEmpty());
    }

    void the_selected_point_keeps_its_swept_value_across_sweeps() {
        auto window = calculator_window();
        PlannerWindow* planner = open_planner(*window);
        find<QSpinBox>(*planner, "sweepPoints")->setValue(21);
        QVERIFY(wait_for_sweep(*planner));
        planner->select_point(15);
        const double chosen = planner->result()->points[15].swept_value;  // 13.395 GHz
        for (int points : {11, 31, 200}) {
            find<QSpinBox>(*planner, "sweepPoints")->setValue(points);
            QVERIFY(wait_for_sweep(*planner));
            const auto& swept = planner->result()->points;
            const double kept = swept.at(*planner->selected_point()).swept_value;
            for (const planning::SweepPoint& p : swept)
                QVERIFY2(std::fabs(kept - chosen) <= std::fabs(p.swept_value - chosen),
                         qPrintable(QStringLiteral("%1 points: %2 GHz kept for %3, %4 is nearer")
                                        .arg(points)
                                        .arg(kept)
                                        .arg(chosen)
                                        .arg(p.swept_value)));
        }
    }

    void the_noise_bandwidth_takes_units_and_exponents() {
        const QLocale c = QLocale::c();
        QCOMPARE(bandwidth_hz(QStringLiteral("4e6"), c), 4e6);
        QCOMPARE(bandwidth_hz(QStringLiteral("4 MHz"), c), 4e6);
        QCOMPARE(bandwidth_hz(QStringLiteral("4000kHz"), c), 4e6);
        QCOMPARE(bandwidth_hz(QStringLiteral(" 4000000 Hz "), c), 4e6);
        QCOMPARE(bandwidth_hz(QStringLiteral("2.5 mhz"), c), 2.5e6);
        QCOMPARE(bandwidth_hz(QStringLiteral("1.5e3 kHz"), c), 1.5e6);
        QCOMPARE(bandwidth_hz(QStringLiteral("2,5 MHz"), QLocale(QLocale::German)), 2.5e6);
        for (const char* refused : {"", "MHz", "4 GHz", "4 MHzz", "four", "4e6e3", "inf"})
            QVERIFY2(!bandwidth_hz(QString::fromLatin1(refused), c), refused);
        QCOMPARE(bandwidth_text(4e6, c), QStringLiteral("4 MHz"));
        QCOMPARE(bandwidth_text(250e3, c), QStringLiteral("250 kHz"));
        QCOMPARE(bandwidth_text(80, c), QStringLiteral("80 Hz"));
        QCOMPARE(bandwidth_text(1234567, c), QStringLiteral("1.234567 MHz"));

        // Typed into the planner's field, each is 4 MHz, shown with its unit.
        auto window = calculator_window();
        PlannerWindow* planner = open_planner(*window);
        QVERIFY(QTest::qWaitForWindowActive(planner));
        auto* field = find<QDoubleSpinBox>(*planner, "noiseBandwidth");
        for (const char* typed : {"4e6", "4 MHz", "4000 kHz"}) {
            field->setValue(0);
            field->setFocus();
            field->selectAll();
            QTest::keyClicks(field, QString::fromLatin1(typed));
            QTest::keyClick(field, Qt::Key_Return);
            QCOMPARE(field->value(), 4e6);
            QCOMPARE(planner->current_sweep().model.noise_bw_hz, 4e6);
            QCOMPARE(field->text(), QStringLiteral("4 MHz"));
        }
        field->setValue(0);
        QCOMPARE(field->text(), QStringLiteral("off"));
        QVERIFY(wait_for_sweep(*planner));
    }

    // Every option row the model box shows, set in its control, reaches the
    // sweep and the request (its set-up file), and a request opened shows
    // it again: a new option row needs no code here or in the window.
    void the_model_options_box_shows_and_forwards_every_option_row() {
        PlannerWindow planner([] { return started_calculator(); });
        QVERIFY(wait_for_sweep(planner));
        const auto* box = find<QWidget>(planner, "modelOptions");
        std::size_t shown = 0;
        for (const app::ModelInput& row : app::model_inputs) {
            auto* control = box->findChild<QWidget*>(ui::qstring(row.name));
            if (!control) {
                // Only the Monte Carlo's and the jitter's rows have controls elsewhere.
                QVERIFY2(row.monte_carlo || row.name == "noise_bw" || row.name == "tau",
                         row.name.data());
                continue;
            }
            ++shown;
            if (auto* list = qobject_cast<QComboBox*>(control)) {
                list->setCurrentIndex(list->count() - 1);
                const auto& m = planner.sweep_request().setup.model;
                QCOMPARE(app::choice_name(row, m), row.choice->names.back());
                QCOMPARE(app::choice_name(row, planner.current_sweep().model),
                         row.choice->names.back());
            } else {
                qobject_cast<QDoubleSpinBox*>(control)->setValue(0.25);
                const auto& m = planner.sweep_request().setup.model;
                QCOMPARE(row.optional ? (m.*row.optional).value_or(-1) : m.*row.number, 0.25);
            }
        }
        QVERIFY(shown >= 5);  // the image band's four, the datasheet limits' shape
        // The options travel with a request: a fresh planner shows them.
        const app::SweepRequest request = planner.sweep_request();
        PlannerWindow reopened([] { return started_calculator(); });
        QCOMPARE(reopened.open_request(request), QString());
        QCOMPARE(find<QComboBox>(reopened, "lo_side")->currentText(), QStringLiteral("above"));
        QCOMPARE(find<QDoubleSpinBox>(reopened, "image_ratio")->value(), 0.25);
        QVERIFY(wait_for_sweep(reopened));
    }

    // The typed reflections open while the reflections are known; MAG@DEG
    // (in the C locale's or the box's own form) is taken and re-plans, other
    // text is refused on the status line and the field shows the one before.
    void the_typed_reflection_fields_take_mag_at_deg_or_refuse_it() {
        PlannerWindow planner([] { return started_calculator(); });
        auto* field = find<QLineEdit>(planner, "dut_s11");
        auto* reflections = find<QComboBox>(planner, "reflections");
        QVERIFY(!field->isEnabled());
        reflections->setCurrentIndex(reflections->findText(QStringLiteral("known")));
        QVERIFY(field->isEnabled());
        struct Case {
            QLocale locale;
            const char* typed;
            double mag, deg;  // a magnitude below 0: refused
        } const cases[] = {{QLocale::c(), " 0.25 @ 90 ", 0.25, 90},
                           {QLocale(QLocale::German), "0,2@-45,5", 0.2, -45.5},
                           {QLocale::c(), "1@0", -1, 0},
                           {QLocale::c(), "0.5", -1, 0},
                           {QLocale::c(), "0.5@east", -1, 0}};
        for (const Case& c : cases) {
            find<QWidget>(planner, "modelOptions")->setLocale(c.locale);
            const auto before = planner.session().model_options().dut_s11;
            field->setText(QString::fromUtf8(c.typed));
            emit field->editingFinished();
            const auto& s11 = planner.session().model_options().dut_s11;
            const auto taken =
                c.mag < 0 ? before : std::polar(c.mag, c.deg * std::numbers::pi / 180);
            QVERIFY2(s11 && std::abs(*s11 - *taken) < 1e-12, c.typed);
            QCOMPARE(field->text(), ui::qstring(app::reflection_text(*s11)));
            QCOMPARE(planner.status_text().contains(QStringLiteral("DUT S11 \"") + c.typed),
                     c.mag < 0);
        }
        QVERIFY(planner.sweep_running() && wait_for_sweep(planner));
        reflections->setCurrentIndex(reflections->findText(QStringLiteral("random")));
        QVERIFY(!field->isEnabled());
    }

    void ctrl_w_and_escape_close_the_planner() {
        auto window = calculator_window();
        window->show();
        for (const QKeyCombination keys : {QKeyCombination(Qt::ControlModifier, Qt::Key_W),
                                           QKeyCombination(Qt::NoModifier, Qt::Key_Escape)}) {
            PlannerWindow* planner = open_planner(*window);
            QVERIFY(QTest::qWaitForWindowActive(planner));
            QVERIFY(planner->isVisible());
            QTest::keyClick(find<QSpinBox>(*planner, "sweepPoints"), keys.key(),
                            keys.keyboardModifiers());
            QVERIFY(!planner->isVisible());
            QVERIFY(window->isVisible());
            QVERIFY(!planner->sweep_running() || wait_for_sweep(*planner));
        }
    }

    void the_wheel_passes_over_the_inputs_and_changes_only_the_focused_box() {
        auto window = calculator_window();
        window->show();
        PlannerWindow* planner = open_planner(*window);
        QVERIFY(QTest::qWaitForWindowActive(planner));
        QVERIFY(wait_for_sweep(*planner));
        find<QToolButton>(*planner, "benchHeading")->click();
        QWidget* panel = find<QScrollArea>(*planner, "setupPanel")->widget();
        QList<QWidget*> boxes;
        for (QWidget* w : panel->findChildren<QWidget*>())
            if ((w->inherits("QAbstractSpinBox") || w->inherits("QComboBox")) && w->isEnabled() &&
                w->isVisibleTo(planner))
                boxes << w;
        QVERIFY(boxes.size() >= 15);
        find<QPushButton>(*planner, "fromCalculator")->setFocus();
        for (QWidget* box : boxes) {
            const QString before = shown_value(box);
            for (const bool up : {false, true})
                QVERIFY2(!wheel_notch(box, up), qPrintable(box->objectName()));
            QVERIFY2(!box->hasFocus(), qPrintable(box->objectName()));
            QCOMPARE(shown_value(box), before);
        }
        QVERIFY(!planner->sweep_running());

        // The box the user is in takes the wheel.
        auto* temperature = find<QDoubleSpinBox>(*planner, "lossInTemp");
        temperature->setFocus();
        QTRY_VERIFY(temperature->hasFocus());
        const double before = temperature->value();
        QVERIFY(wheel_notch(temperature, true));
        QCOMPARE(temperature->value(), before + temperature->singleStep());
        QCOMPARE(planner->bench().loss_in.temperature_k, temperature->value());
        QVERIFY(wait_for_sweep(*planner));
    }

    void the_planner_opens_beside_the_calculator_where_there_is_room() {
        const QRect screen(0, 0, 1600, 1200);
        const QSize wanted(1000, 900), least(600, 500);
        // Room on the right: there, level with the calculator, as wide as the room.
        QCOMPARE(beside(QRect(0, 100, 808, 400), wanted, least, screen), QRect(808, 100, 792, 900));
        // More room on the left.
        QCOMPARE(beside(QRect(1000, 0, 600, 400), wanted, least, screen), QRect(0, 0, 1000, 900));
        // Low on the screen: moved up to fit.
        QCOMPARE(beside(QRect(0, 800, 808, 400), wanted, least, screen), QRect(808, 300, 792, 900));
        // A second screen to the right of the first.
        QCOMPARE(beside(QRect(1700, 50, 808, 400), wanted, least, QRect(1600, 0, 1920, 1080)),
                 QRect(2508, 50, 1000, 900));
        // No room on either side for the least width: at the edge of the side
        // with more room, as wide as the least width.
        QCOMPARE(beside(QRect(500, 0, 808, 400), wanted, least, screen), QRect(0, 0, 600, 900));
        QCOMPARE(beside(QRect(0, 0, 808, 400), QSize(1530, 1122), QSize(1020, 300),
                        QRect(0, 0, 1600, 1000)),
                 QRect(580, 0, 1020, 1000));
        // A screen smaller than the planner (a scale factor of 2 on 1600 x 1000)
        // and than the calculator: within the screen all the same.
        QCOMPARE(beside(QRect(0, 0, 808, 600), wanted, least, QRect(0, 0, 800, 500)),
                 QRect(0, 0, 600, 500));
    }

    // However small the screen, the planner fits it: what does not fit
    // scrolls, and the budget's names keep their width.
    void the_planner_fits_a_small_screen_and_the_budget_keeps_its_names() {
        auto window = calculator_window();
        PlannerWindow* planner = open_planner(*window);
        const QSize small_screen(800, 500);
        QVERIFY2(planner->minimumSizeHint().width() <= small_screen.width() &&
                     planner->minimumSizeHint().height() <= small_screen.height(),
                 qPrintable(QStringLiteral("%1 x %2")
                                .arg(planner->minimumSizeHint().width())
                                .arg(planner->minimumSizeHint().height())));
        QVERIFY(wait_for_sweep(*planner));
        planner->resize(small_screen);
        auto* budget = find<QTableWidget>(*planner, "budgetTable");
        const auto names_width = [budget] {
            return static_cast<const QAbstractItemView*>(budget)->sizeHintForColumn(0);
        };
        QVERIFY(budget->rowCount() > 5);
        QTRY_VERIFY(budget->isVisible());
        QTRY_VERIFY(budget->columnWidth(0) >= names_width());
        // At a generous width the names take what the figures leave.
        planner->resize(2400, 1400);
        QTRY_VERIFY(budget->columnWidth(0) > names_width());
        int all = 0;
        for (int c = 0; c < budget->columnCount(); ++c)
            all += budget->columnWidth(c);
        QCOMPARE(all, budget->viewport()->width());
    }
};

QTEST_MAIN(PlannerInputsTest)
#include "planner_inputs_test.moc"
