// The planner window: opening it from the calculator, taking the set-up
// over, its own edits, the charts against the library's sweep, the budget
// of a clicked point, data files, export and cancelling a Monte Carlo sweep.
#include "planner_fixture.h"

#include "charts/chart_style.h"
#include "charts/mark_layer.h"
#include "engine/controls.h"
#include "planner/budget_view.h"
#include "planner/point_chart_view.h"
#include "planning/sweep.h"
#include "ui/menus.h"
#include "window/set_up_actions.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStyle>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QToolTip>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <utility>

using namespace orlavex;
using namespace orlavex::planner;
using namespace orlavex::planner::testing;

namespace {

template <typename Widget>
Widget* find(const QWidget& window, const char* name) {
    return window.findChild<Widget*>(QString::fromLatin1(name));
}

// Every text, check mark and state value the calculator shows, to see that
// nothing of it changed.
std::vector<std::string> window_texts(const Calculator& calc) {
    std::vector<std::string> texts;
    for (const Control& c : calc.form.controls)
        texts.push_back(c.text + '|' + std::to_string(c.value) + '|' + std::to_string(c.checked));
    return texts;
}

std::vector<QPointF> named_curve(const QChart& chart, const QString& name) {
    std::vector<QPointF> points;
    for (QAbstractSeries* s : chart.series())
        if (auto* line = qobject_cast<QLineSeries*>(s); line && line->name() == name)
            for (const QPointF& p : line->points())
                points.push_back(p);
    return points;
}

// Types TEXT into the calculator's field NAME and leaves it with Tab.
void type_into(QMainWindow& window, const char* name, const QString& text) {
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* field = find<QLineEdit>(window, name);
    QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, field->rect().center());
    for (QChar c : text)
        QTest::keyClicks(field, QString(c));
    QTest::keyClick(field, Qt::Key_Tab);
}

// The lamp zones behind the margin chart, as (lamp colour, lowest y,
// highest y), and its marks as (lamp colour, y).
struct Zone {
    QRgb rgb;
    double lo, hi;
};

std::vector<Zone> lamp_zones(const QChart& chart) {
    std::vector<Zone> zones;
    for (QAbstractSeries* s : chart.series())
        if (auto* area = qobject_cast<QAreaSeries*>(s))
            zones.push_back({area->brush().color().rgb(), area->lowerSeries()->at(0).y(),
                             area->upperSeries()->at(0).y()});
    return zones;
}

std::vector<std::pair<QRgb, double>> lamp_marks(const QChart& chart) {
    std::vector<std::pair<QRgb, double>> marks;
    if (const charts::MarkLayer* layer = charts::mark_layer_of(chart))
        for (const charts::MarkGroup& group : layer->groups())
            for (const QPointF& p : group.values)
                marks.emplace_back(group.colour.rgb(), p.y());
    return marks;
}

// The items of a pop-up menu of the calculator that choose something, in
// menu order, submenus flattened.
QStringList menu_leaves(const Calculator& calc, Ctl menu) {
    QStringList leaves;
    const std::function<void(const QMenu&)> walk = [&](const QMenu& m) {
        for (QAction* a : m.actions()) {
            if (a->menu() != nullptr) {
                walk(*a->menu());
            } else if (!a->isSeparator() && a->isVisible()) {
                leaves << a->text();
            }
        }
    };
    walk(*ui::build_popup_menu(calc.form, menu, nullptr));
    return leaves;
}

QStringList offered(const QComboBox& box) {
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        if (!box.itemText(i).isEmpty()) items << box.itemText(i);  // separators have none
    return items;
}

}  // namespace

class PlannerWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { fail_on_qt_warnings(); }

    void tools_menu_sits_between_web_and_help_and_opens_the_planner() {
        auto window = calculator_window();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QStringList titles;
        for (QAction* a : window->menuBar()->actions())
            if (a->isVisible()) titles << a->text();
        QCOMPARE(titles, (QStringList{"File", "Option", "Web", "Tools", "Help"}));
        QCOMPARE(planner_item(*window)->text(), QStringLiteral("Planner..."));
        QCOMPARE(planner_item(*window)->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));

        type_into(*window, "txtDUT_Gain", QStringLiteral("23"));
        QCOMPARE(window->calculator().state.DUT_Gain, 23.0);

        QCOMPARE(planner_of(*window), nullptr);
        QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
        PlannerWindow* planner = planner_of(*window);
        QVERIFY(planner != nullptr);
        QVERIFY(planner->isVisible());
        QVERIFY(planner->isWindow());
        QVERIFY(!planner->isModal());
        QCOMPARE(planner->windowTitle(), QStringLiteral("Orlavex Planner[*]"));
        QVERIFY(planner->windowFlags() & Qt::Window);

        // The calculator's inputs and selections, every one of them.
        QCOMPARE(window_texts(planner->setup()), window_texts(window->calculator()));
        QCOMPARE(planner->setup().state.DUT_Gain, 23.0);
        QCOMPARE(find<QDoubleSpinBox>(*planner, "dutGain")->value(), 23.0);
        QVERIFY(wait_for_sweep(*planner));
        QCOMPARE(planner->result()->points.front().dut_gain_db, 23.0);

        // Chosen again, the same window comes up.
        planner_item(*window)->trigger();
        QCOMPARE(window->findChildren<PlannerWindow*>().size(), qsizetype(1));

        // It closes with the calculator.
        window->close();
        QVERIFY(!planner->isVisible());
    }

    void from_calculator_takes_over_a_change_made_in_the_calculator() {
        auto window = calculator_window();
        window->show();
        PlannerWindow* planner = open_planner(*window);
        QVERIFY(wait_for_sweep(*planner));
        const bool second_stage = is_checked(window->calculator(), Ctl::mnu2ndStage);

        const double nf_before = window->calculator().state.DUT_NF;
        window->menus().action(Ctl::mnu2ndStage)->trigger();
        type_into(*window, "txtDUT_NF", QStringLiteral("4.5"));
        QCOMPARE(is_checked(window->calculator(), Ctl::mnu2ndStage), !second_stage);
        const double nf_typed = window->calculator().state.DUT_NF;
        QVERIFY(std::fabs(nf_typed - nf_before) > 1);
        // Not yet in the planner.
        QCOMPARE(is_checked(planner->setup(), Ctl::mnu2ndStage), second_stage);
        QCOMPARE(planner->setup().state.DUT_NF, nf_before);

        QTest::mouseClick(find<QPushButton>(*planner, "fromCalculator"), Qt::LeftButton);
        QCOMPARE(is_checked(planner->setup(), Ctl::mnu2ndStage), !second_stage);
        QCOMPARE(planner->setup().state.DUT_NF, nf_typed);
        QCOMPARE(find<QDoubleSpinBox>(*planner, "dutNf")->value(), nf_typed);
        QCOMPARE(window_texts(planner->setup()), window_texts(window->calculator()));
        QVERIFY(wait_for_sweep(*planner));
        QCOMPARE(planner->result()->points.front().dut_nf_db, nf_typed);
        QCOMPARE(planner->result()->points.front().setup.second_stage, !second_stage);
    }

    void an_edit_in_the_planner_leaves_the_calculator_untouched() {
        auto window = calculator_window();
        window->show();
        PlannerWindow* planner = open_planner(*window);
        QVERIFY(wait_for_sweep(*planner));
        const std::vector<std::string> before = window_texts(window->calculator());
        const double nf_before = window->calculator().state.DUT_NF;

        find<QDoubleSpinBox>(*planner, "dutNf")->setValue(7.5);
        find<QDoubleSpinBox>(*planner, "dutGain")->setValue(31);
        QVERIFY(wait_for_sweep(*planner));
        QCOMPARE(planner->setup().state.DUT_NF, 7.5);
        QCOMPARE(planner->setup().state.DUT_Gain, 31.0);
        QCOMPARE(planner->result()->points.back().dut_nf_db, 7.5);

        QCOMPARE(window->calculator().state.DUT_NF, nf_before);
        QCOMPARE(window_texts(window->calculator()), before);
    }

    void the_charts_show_the_librarys_sweep() {
        auto window = calculator_window();
        PlannerWindow* planner = open_planner(*window);
        find<QSpinBox>(*planner, "sweepPoints")->setValue(57);
        find<QCheckBox>(*planner, "sweepLog")->setChecked(true);
        QVERIFY(wait_for_sweep(*planner));

        const planning::SweepResult expected = planning::run_sweep(planner->current_sweep());
        const planning::SweepResult& shown = *planner->result();
        QCOMPARE(shown.points.size(), std::size_t{57});
        QCOMPARE(expected.points.size(), shown.points.size());

        std::vector<QPointF> plus_u, rss;
        for (const planning::SweepPoint& p : expected.points) {
            if (p.in_range && p.gum.valid) plus_u.emplace_back(p.swept_value, p.gum.U_db);
            if (p.in_range && p.classic.rss_db) rss.emplace_back(p.swept_value, *p.classic.rss_db);
        }
        QVERIFY(plus_u.size() > 10);
        const QChart* chart = find<PointChartView>(*planner, "uncertaintyChart")->chart();
        QCOMPARE(named_curve(*chart, QStringLiteral("GUM, k = 2")), plus_u);
        QCOMPARE(named_curve(*chart, QStringLiteral("classic RSS")), rss);
        QVERIFY(std::isnan(expected.points.front().swept_value) == false);
        QCOMPARE(planner->chart_data().log_x, true);
        QCOMPARE(planner->chart_data().band_edges.size(), expected.band_edges.size());
    }

    void a_swept_match_goes_as_return_loss_when_asked() {
        auto window = calculator_window();
        PlannerWindow* planner = open_planner(*window);
        auto* over = find<QComboBox>(*planner, "sweptInput");
        over->setCurrentIndex(over->findData(int(planning::SweptInput::dut_in_match)));
        QVERIFY(find<QComboBox>(*planner, "matchForm")->isEnabled());
        QVERIFY(!find<QCheckBox>(*planner, "sweepLog")->isEnabled());
        find<QComboBox>(*planner, "matchForm")->setCurrentIndex(1);
        find<QSpinBox>(*planner, "sweepPoints")->setValue(5);
        QVERIFY(wait_for_sweep(*planner));
        const planning::SweepResult& r = *planner->result();
        QCOMPARE(r.over, planning::SweptInput::dut_in_match);
        QCOMPARE(r.match_form, planning::MatchForm::return_loss);
        QCOMPARE(r.points.front().swept_value, 30.0);
        QCOMPARE(r.points.back().swept_value, 10.0);
        QVERIFY(QString::fromStdString(planner->chart_data().x_label).contains("return loss"));
        // A worse match, a larger uncertainty.
        QVERIFY(r.points.back().gum.U_db > r.points.front().gum.U_db);
    }

    void clicking_a_point_fills_the_budget_largest_first() {
        auto window = calculator_window();
        PlannerWindow* planner = open_planner(*window);
        planner->resize(1400, 1000);
        planner->show();
        QVERIFY(QTest::qWaitForWindowExposed(planner));
        find<QSpinBox>(*planner, "sweepPoints")->setValue(21);
        find<QDoubleSpinBox>(*planner, "integrationTime")->setValue(0.1);
        find<QDoubleSpinBox>(*planner, "noiseBandwidth")->setValue(4e6);
        QVERIFY(wait_for_sweep(*planner));

        auto* view = find<PointChartView>(*planner, "uncertaintyChart");
        const std::size_t target = 4;
        const planning::SweepPoint& p = planner->result()->points[target];
        QVERIFY(p.in_range && p.gum.valid);
        const QPoint at = view->position_of(target, p.gum.U_db).toPoint();
        QTest::mouseMove(view->viewport(), at);
        QTRY_VERIFY(QToolTip::isVisible());
        QVERIFY2(QToolTip::text().contains(QLocale().toString(p.gum.U_db, 'f', 3)),
                 qPrintable(QToolTip::text()));
        QVERIFY(!planner->selected_point() || *planner->selected_point() != target);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(planner->selected_point(), std::optional<std::size_t>(target));

        auto* table = find<QTableWidget>(*planner, "budgetTable");
        QCOMPARE(table->rowCount(), int(p.gum.lines.size()));
        const std::vector<measure::BudgetLine> sorted = by_contribution(p.gum);
        const QLocale locale;
        for (int row = 0; row < table->rowCount(); ++row) {
            const measure::BudgetLine& line = sorted[std::size_t(row)];
            QCOMPARE(table->item(row, 0)->data(Qt::UserRole).toString().toStdString(),
                     std::string(line.source));
            QCOMPARE(table->item(row, 4)->text(), locale.toString(line.u_i_db, 'f', 4));
            // Jitter is a relative spread of a power, in nepers; the rest in dB.
            const bool jitter = line.source.starts_with("jitter");
            QCOMPARE(table->item(row, 2)->text(),
                     jitter ? QStringLiteral("Np") : QStringLiteral("dB"));
            if (jitter) QVERIFY(line.u > 0);  // the jitter rows are switched on here
            if (row > 0) QVERIFY(sorted[row - 1].u_i_db >= line.u_i_db);
        }
        QVERIFY(sorted.front().u_i_db > sorted.back().u_i_db);
        const QString heading = find<QLabel>(*planner, "budgetHeading")->text();
        QVERIFY2(heading.contains(locale.toString(p.gum.U_db, 'f', 3)), qPrintable(heading));

        // Another point, another budget.
        planner->select_point(15);
        QVERIFY(find<QLabel>(*planner, "budgetHeading")->text() != heading);
    }

    // With known reflections the heading and the copied text give the bias
    // beside U, and its part of U + |bias|; without, neither mentions it.
    void the_budget_says_how_much_of_the_bound_is_bias() {
        measure::Budget budget;
        const auto line = [](std::string_view source, double u, double c, double share) {
            measure::BudgetLine l;
            l.source = source;
            l.u = u;
            l.c = c;
            l.u_i_db = u * c;
            l.share = share;
            return l;
        };
        budget.lines = {line("enr", 0.05, 1.0, 0.8), line("jitter_meas_on", 0.01, 2.0, 0.2)};
        budget.u_c_db = 0.11;
        budget.U_db = 0.22;
        budget.valid = true;
        const QLocale locale;
        struct Case {
            std::optional<double> bias_db;
            double bound_db;
            QString share;
        };
        for (const Case& c :
             {Case{-0.58, 0.80, "73 %"}, Case{0.22, 0.44, "50 %"}, Case{std::nullopt, 0, {}}}) {
            BudgetView view;
            view.show_budget(budget, QStringLiteral("at 5 GHz"), c.bias_db);
            const QString heading = view.findChild<QLabel*>("budgetHeading")->text();
            const QString text = view.text();
            QVERIFY2(heading.contains(locale.toString(0.22, 'f', 3)), qPrintable(heading));
            if (!c.bias_db) {
                QVERIFY(!heading.contains(QStringLiteral("bias")) && !text.contains("bias"));
                continue;
            }
            QVERIFY2(heading.contains(locale.toString(*c.bias_db, 'f', 3)), qPrintable(heading));
            QVERIFY2(
                heading.contains(locale.toString(c.bound_db, 'f', 3)) && heading.contains(c.share),
                qPrintable(heading));
            QVERIFY(text.endsWith(QStringLiteral("U + |bias|\t") +
                                  locale.toString(c.bound_db, 'f', 4) + " dB\n"));
        }
    }

    void the_status_counts_points_held_from_a_files_nearest_record() {
        auto window = calculator_window();
        PlannerWindow* planner = open_planner(*window);
        QVERIFY(planner->load_sparameters(ORLAVEX_TEST_DATA_DIR "/../../examples/lna_1-18ghz.s2p"));
        find<QDoubleSpinBox>(*planner, "sweepFrom")->setValue(0.5);
        find<QDoubleSpinBox>(*planner, "sweepTo")->setValue(2);
        find<QSpinBox>(*planner, "sweepPoints")->setValue(7);  // 0.5 and 0.75 below 1 GHz
        const auto* status = find<QLabel>(*planner, "status");
        QTRY_VERIFY2_WITH_TIMEOUT(status->text().contains(QStringLiteral(
                                      "7 points, 5 in range, 2 held from the nearest record")),
                                  qPrintable(status->text()), 20000);
        // The charts mark the same points.
        const auto& points = planner->chart_data().points;
        QCOMPARE(points.size(), std::size_t(7));
        for (std::size_t i = 0; i < points.size(); ++i)
            QCOMPARE(points[i].held, i < 2);
    }

    void a_bad_file_shows_its_message_and_changes_nothing() {
        auto window = calculator_window();
        PlannerWindow* planner = open_planner(*window);
        QVERIFY(planner->load_enr_table(ORLAVEX_TEST_DATA_DIR "/source.enr"));
        QVERIFY(wait_for_sweep(*planner));
        QVERIFY(planner->file_message().isEmpty());
        const auto* name = find<QLabel>(*planner, "enrName");
        const QString name_before = name->text();
        QVERIFY(name_before.contains(QStringLiteral("source.enr")));
        const double enr_before = planner->result()->points[3].enr_db;

        QVERIFY(!planner->load_enr_table(ORLAVEX_TEST_DATA_DIR "/binary.enr"));
        QVERIFY2(planner->file_message().contains(QStringLiteral("binary.enr")),
                 qPrintable(planner->file_message()));
        QCOMPARE(name->text(), name_before);
        QVERIFY(!planner->sweep_running());  // nothing to recompute
        const planning::Sweep sweep = planner->current_sweep();
        QVERIFY(sweep.enr_table.has_value());
        QCOMPARE(planning::run_sweep(sweep).points[3].enr_db, enr_before);

        QTemporaryDir dir;
        const QString bad_s2p = dir.filePath(QStringLiteral("bad.s2p"));
        QFile file(bad_s2p);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("# GHz S MA R 50\n1 0.1 0 abc 0 0 0 0 0\n");
        file.close();
        QVERIFY(!planner->load_sparameters(bad_s2p));
        QVERIFY(planner->file_message().contains(QStringLiteral("bad.s2p:2")));
        QVERIFY(!planner->current_sweep().dut_sparameters.has_value());
        QCOMPARE(find<QLabel>(*planner, "s2pName")->text(), QStringLiteral("none"));

        QVERIFY(planner->load_sparameters(ORLAVEX_TEST_DATA_DIR "/dut_ma.s2p"));
        QVERIFY(planner->file_message().isEmpty());
        QVERIFY(planner->current_sweep().dut_sparameters.has_value());
    }

    void exports_write_files_that_read_back() {
        auto window = calculator_window();
        PlannerWindow* planner = open_planner(*window);
        find<QSpinBox>(*planner, "sweepPoints")->setValue(11);
        QVERIFY(wait_for_sweep(*planner));
        QTemporaryDir dir;

        const QString csv_path = dir.filePath(QStringLiteral("sweep.csv"));
        QCOMPARE(planner->export_csv(csv_path), QString());
        QFile csv(csv_path);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 12);
        const QStringList header = lines[0].split(',');
        QCOMPARE(header.front(), QStringLiteral("freq_ghz"));
        const qsizetype u_column = header.indexOf(QStringLiteral("U_db"));
        QVERIFY(u_column > 0);
        for (int i = 1; i < lines.size(); ++i) {
            const planning::SweepPoint& p = planner->result()->points[std::size_t(i - 1)];
            const QStringList cells = lines[i].split(',');
            QCOMPARE(cells[0].toDouble(), p.swept_value);
            if (p.in_range && p.gum.valid)
                QVERIFY(std::fabs(cells[u_column].toDouble() - p.gum.U_db) < 1e-3);
        }

        const QString png = dir.filePath(QStringLiteral("charts.png"));
        QCOMPARE(planner->save_charts(png), QString());
        const QImage image(png);
        QVERIFY(!image.isNull());
        QVERIFY(image.width() > 400 && image.height() > 300);
        // The picture carries the set-up of the sweep it shows.
        const QJsonObject setup =
            QJsonDocument::fromJson(image.text(QStringLiteral("orlavex:setup")).toUtf8()).object();
        QCOMPARE(setup[QStringLiteral("sweep")].toObject()[QStringLiteral("points")].toInt(), 11);
        QVERIFY(setup[QStringLiteral("inputs")].toObject().contains(QStringLiteral("dut_nf_db")));
        const QString svg = dir.filePath(QStringLiteral("charts.svg"));
        QCOMPARE(planner->save_charts(svg), QString());
        QSvgRenderer drawing(svg);
        QVERIFY(drawing.isValid());
        QVERIFY(!planner->save_charts(dir.filePath(QStringLiteral("charts.bmp"))).isEmpty());

        planner->select_point(5);
        const planning::SweepPoint& p = planner->result()->points[5];
        const QStringList text = planner->budget_text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(text.size(), int(p.gum.lines.size()) + 4);
        QVERIFY(text[0].contains(QStringLiteral("GHz")));
        QCOMPARE(text[1].split('\t'),
                 (QStringList{"source", "u", "unit", "c", "contribution_db", "share_percent"}));
        for (int i = 2; i < text.size() - 2; ++i) {
            const QStringList cells = text[i].split('\t');
            QCOMPARE(cells.size(), 6);
            QCOMPARE(cells[2], cells[0].startsWith(QStringLiteral("Jitter"))
                                   ? QStringLiteral("Np")
                                   : QStringLiteral("dB"));
        }
        QVERIFY(text.last().contains(QLocale().toString(p.gum.U_db, 'f', 4)));
        QTest::mouseClick(find<QPushButton>(*planner, "copyBudget"), Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(), planner->budget_text());
    }

    void cancel_stops_a_monte_carlo_sweep() {
        auto window = calculator_window();
        PlannerWindow* planner = open_planner(*window);
        QVERIFY(wait_for_sweep(*planner));
        const planning::SweepResult* before = planner->result();

        find<QSpinBox>(*planner, "trials")->setValue(1'000'000);
        find<QCheckBox>(*planner, "monteCarlo")->setChecked(true);
        QTRY_VERIFY(find<QPushButton>(*planner, "cancelSweep")->isEnabled());
        QVERIFY(planner->sweep_running());
        QSignalSpy stopped(planner, &PlannerWindow::sweep_stopped);
        QSignalSpy shown(planner, &PlannerWindow::sweep_shown);
        QTest::mouseClick(find<QPushButton>(*planner, "cancelSweep"), Qt::LeftButton);
        QVERIFY(stopped.wait(20000));
        QVERIFY(!planner->sweep_running());
        QCOMPARE(shown.size(), 0);
        QCOMPARE(planner->result(), before);  // the charts keep the last finished sweep
        QVERIFY(find<QLabel>(*planner, "status")->text().contains(QStringLiteral("cancelled")));
        QVERIFY(!find<QPushButton>(*planner, "cancelSweep")->isEnabled());

        // A smaller Monte Carlo runs to the end and carries its band.
        find<QSpinBox>(*planner, "trials")->setValue(2000);
        find<QSpinBox>(*planner, "sweepPoints")->setValue(9);
        QVERIFY(wait_for_sweep(*planner));
        QVERIFY(planner->result()->points[4].monte_carlo.has_value());
        QCOMPARE(planner->result()->points[4].monte_carlo->trials, std::size_t{2000});
    }

    void an_advice_row_applies_its_choice_to_the_planner_only() {
        auto window = calculator_window();
        PlannerWindow* planner = open_planner(*window);
        find<QSpinBox>(*planner, "sweepPoints")->setValue(11);
        QVERIFY(wait_for_sweep(*planner));
        const std::vector<std::string> calculator_before = window_texts(window->calculator());

        QSignalSpy advised(planner, &PlannerWindow::advice_shown);
        QTest::mouseClick(find<QPushButton>(*planner, "rankAdvice"), Qt::LeftButton);
        QVERIFY(advised.wait(60000));
        const auto& ranking = planner->advice().ranking;
        QVERIFY(ranking.size() > 10);
        QCOMPARE(find<QTableWidget>(*planner, "adviceTable")->rowCount(), int(ranking.size()));

        std::size_t row = 0;
        while (ranking[row].candidate.noise_source == planner->setup().form[Ctl::lblNSsel].text ||
               ranking[row].candidate.noise_source == "User")
            ++row;
        const planning::Candidate chosen = ranking[row].candidate;
        planner->apply_advice(row);
        QCOMPARE(planner->setup().form[Ctl::lblNSsel].text, chosen.noise_source);
        QCOMPARE(find<QComboBox>(*planner, "noiseSource")->currentText().toStdString(),
                 chosen.noise_source);
        QCOMPARE(is_ticked(planner->setup(), Ctl::chkIntPA), chosen.int_preamp);
        QVERIFY(wait_for_sweep(*planner));
        QCOMPARE(window_texts(window->calculator()), calculator_before);
    }

    void the_advice_tab_ranks_when_first_shown_and_a_ranking_can_be_cancelled() {
        auto window = calculator_window();
        PlannerWindow* planner = open_planner(*window);
        find<QSpinBox>(*planner, "sweepPoints")->setValue(11);
        QVERIFY(wait_for_sweep(*planner));
        auto* table = find<QTableWidget>(*planner, "adviceTable");
        auto* rank = find<QPushButton>(*planner, "rankAdvice");
        auto* cancel = find<QPushButton>(*planner, "cancelAdvice");
        QTabWidget* tabs = nullptr;
        for (QTabWidget* t : planner->findChildren<QTabWidget*>())
            if (t->isAncestorOf(table)) tabs = t;
        QVERIFY(tabs != nullptr);
        int advice_tab = 0;
        while (!tabs->widget(advice_tab)->isAncestorOf(table))
            ++advice_tab;
        QCOMPARE(table->rowCount(), 0);
        QVERIFY(!planner->advice_running());

        QSignalSpy advised(planner, &PlannerWindow::advice_shown);
        tabs->setCurrentIndex(advice_tab);
        QVERIFY(planner->advice_running());
        QVERIFY(cancel->isEnabled() && !rank->isEnabled());
        QVERIFY(advised.wait(60000));
        QVERIFY(table->rowCount() > 10);
        QVERIFY(planner->advice_current());
        QCOMPARE(find<QProgressBar>(*planner, "adviceProgress")->value(),
                 find<QProgressBar>(*planner, "adviceProgress")->maximum());
        // Looked at again, the tab keeps its ranking.
        tabs->setCurrentIndex(0);
        tabs->setCurrentIndex(advice_tab);
        QVERIFY(!planner->advice_running());

        // Cancelled, a ranking of many points stops and the table keeps the
        // ranking before it, marked as made for other inputs.
        find<QSpinBox>(*planner, "sweepPoints")->setValue(2001);
        QVERIFY(wait_for_sweep(*planner, 120000));
        const int rows = table->rowCount();
        QTest::mouseClick(rank, Qt::LeftButton);
        QVERIFY(planner->advice_running());
        QTest::mouseClick(cancel, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!planner->advice_running(), 60000);
        QCOMPARE(advised.count(), 1);
        QCOMPARE(table->rowCount(), rows);
        QVERIFY(!planner->advice_current());
        QVERIFY(rank->isEnabled() && !cancel->isEnabled());
        QVERIFY2(planner->status_text().contains(QStringLiteral("cancelled")),
                 qPrintable(planner->status_text()));
    }

    void every_menu_item_has_a_mnemonic_of_its_own_and_every_input_a_label() {
        auto window = calculator_window();
        PlannerWindow* planner = open_planner(*window);
        int menus = 0;
        const std::function<void(const QMenu&)> check_menu = [&](const QMenu& menu) {
            ++menus;
            std::map<QString, QString> taken;  // mnemonic -> item
            for (QAction* a : menu.actions()) {
                if (a->isSeparator()) continue;
                const QString key = QKeySequence::mnemonic(a->text()).toString();
                if (!key.isEmpty()) {
                    QVERIFY2(!taken.contains(key),
                             qPrintable(a->text() + " and " + taken[key] + " share " + key));
                    taken[key] = a->text();
                }
                if (a->menu() != nullptr) check_menu(*a->menu());
            }
        };
        check_menu(*find<QMenu>(*planner, "fileMenu"));
        check_menu(*find<QMenu>(*planner, "editMenu"));
        QVERIFY(menus >= 4);  // File, Open Recent, Export and Edit

        // Every spin box and choice box of the set-up panel, the bench's
        // opened, has a label that names it.
        find<QToolButton>(*planner, "benchHeading")->click();
        QWidget* panel = find<QScrollArea>(*planner, "setupPanel")->widget();
        std::map<const QWidget*, QString> labels;
        for (const QLabel* label : panel->findChildren<QLabel*>())
            if (label->buddy() != nullptr && label->isVisibleTo(planner))
                labels[label->buddy()] = label->text();
        int inputs = 0;
        for (const QWidget* w : panel->findChildren<QWidget*>()) {
            if (!w->inherits("QAbstractSpinBox") && !w->inherits("QComboBox")) continue;
            if (!w->isVisibleTo(planner)) continue;
            ++inputs;
            QVERIFY2(!labels[w].isEmpty(), qPrintable(w->objectName()));
        }
        QVERIFY(inputs >= 20);
    }

    void every_lamp_mark_lies_in_its_zone_across_the_thresholds() {
        auto window = calculator_window();
        PlannerWindow* planner = open_planner(*window);
        find<QSpinBox>(*planner, "sweepPoints")->setValue(81);
        auto* over = find<QComboBox>(*planner, "sweptInput");
        std::vector<QRgb> lamps;
        for (Lamp lamp : {Lamp::green, Lamp::yellow, Lamp::red}) {
            const charts::Rgb rgb = charts::lamp_colour(lamp);
            lamps.push_back(qRgb(rgb.red, rgb.green, rgb.blue));
        }
        std::set<QRgb> seen;
        // Over ENR the rules 2 and 3 cross their thresholds, over the DUT's
        // gain rule 1 does: the lamps come from the calculator's own rating.
        for (planning::SweptInput input :
             {planning::SweptInput::enr, planning::SweptInput::dut_gain}) {
            over->setCurrentIndex(over->findData(int(input)));
            QVERIFY(wait_for_sweep(*planner));
            const QChart& chart = *find<PointChartView>(*planner, "marginChart")->chart();
            const std::vector<Zone> zones = lamp_zones(chart);
            QCOMPARE(zones.size(), std::size_t{3});
            const std::vector<std::pair<QRgb, double>> marks = lamp_marks(chart);
            QVERIFY(marks.size() > 100);
            for (const auto& [rgb, y] : marks) {
                if (std::ranges::find(lamps, rgb) == lamps.end()) continue;  // grey
                const auto zone = std::ranges::find(zones, rgb, &Zone::rgb);
                QVERIFY(zone != zones.end());
                QVERIFY2(y >= zone->lo && y < zone->hi,
                         qPrintable(QStringLiteral("a mark of colour %1 at %2 lies in [%3, %4)")
                                        .arg(rgb, 0, 16)
                                        .arg(y)
                                        .arg(zone->lo)
                                        .arg(zone->hi)));
                seen.insert(rgb);
            }
        }
        QCOMPARE(seen.size(), lamps.size());  // the sweeps crossed every threshold
    }

    void hovering_a_margin_shows_it_raw_and_over_its_green_threshold() {
        auto window = calculator_window();
        PlannerWindow* planner = open_planner(*window);
        planner->resize(1400, 1000);
        planner->show();
        QVERIFY(QTest::qWaitForWindowExposed(planner));
        find<QSpinBox>(*planner, "sweepPoints")->setValue(11);
        QVERIFY(wait_for_sweep(*planner));
        const std::size_t target = 5;
        const charts::ChartPoint& c = planner->chart_data().points[target];
        QVERIFY(c.margin_db[0] && c.margin_db[1] && c.margin_db[2]);
        auto* view = find<PointChartView>(*planner, "marginChart");
        for (QTabWidget* tabs : planner->findChildren<QTabWidget*>())
            if (tabs->indexOf(view) >= 0) tabs->setCurrentWidget(view);  // on a low screen
        QTRY_VERIFY(view->isVisible() && view->chart()->plotArea().width() > 100);
        // The start-up set-up's margins, as the calculator shows them:
        // "(NF+G)dut - NFsa = 11.5 dB", "ENR - NFdut = 7 dB", "ENR - NFsa = 3.5 dB".
        QCOMPARE(*c.margin_db[0], 11.5);
        QCOMPARE(*c.margin_db[1], 7.0);
        QCOMPARE(*c.margin_db[2], 3.5);
        QTest::mouseMove(view->viewport(), view->position_of(target, 2.0).toPoint());
        QTRY_VERIFY(QToolTip::isVisible());
        const QString text = QToolTip::text();
        // Named as the calculator names them, in its order, each over its
        // green threshold (1, 5 and 3 dB).
        const QStringList expected = {"(NF+G)dut - NFsa = 11.5 dB, 10.5 dB over &gt;1dB",
                                      "ENR - NFdut = 7 dB, 2 dB over &gt;5dB",
                                      "ENR - NFsa = 3.5 dB, 0.5 dB over &gt;3dB"};
        qsizetype previous = -1;
        for (const QString& line : expected) {
            const qsizetype at = text.indexOf("<br>" + line + "<br>");
            QVERIFY2(at > previous, qPrintable(line + " in " + text));
            previous = at;
        }
        QToolTip::hideText();
    }

    void every_advice_reason_shows_in_full_at_any_width() {
        auto window = calculator_window();
        PlannerWindow* planner = open_planner(*window);
        planner->resize(1400, 1000);
        planner->show();
        QVERIFY(QTest::qWaitForWindowExposed(planner));
        find<QSpinBox>(*planner, "sweepPoints")->setValue(11);
        QVERIFY(wait_for_sweep(*planner));
        QSignalSpy advised(planner, &PlannerWindow::advice_shown);
        planner->start_advice();
        QVERIFY(advised.wait(60000));
        auto* table = find<QTableWidget>(*planner, "adviceTable");
        for (QTabWidget* tabs : planner->findChildren<QTabWidget*>())
            if (tabs->indexOf(table->parentWidget()) >= 0)
                tabs->setCurrentWidget(table->parentWidget());
        QTRY_VERIFY(table->isVisible());

        // The item view lays text out inside a margin on either side.
        const int margin =
            table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1;
        const QFontMetrics metrics(table->font());
        for (int width : {1600, 1000}) {
            planner->resize(width, 1000);
            QTRY_COMPARE(planner->width(), width);
            QCoreApplication::processEvents();
            // The reason takes the width the other columns leave.
            QCOMPARE(table->columnViewportPosition(4) + table->columnWidth(4),
                     table->viewport()->width());
            const QRect column(0, 0, table->columnWidth(4) - 2 * margin, 100000);
            int wrapped = 0;
            for (int row = 0; row < table->rowCount(); ++row) {
                const QString reason = table->item(row, 4)->text();
                QVERIFY(!reason.isEmpty());
                const int needed = metrics.boundingRect(column, Qt::TextWordWrap, reason).height();
                QVERIFY2(table->rowHeight(row) >= needed,
                         qPrintable(QStringLiteral(
                                        "row %1 is %2 px high, its reason needs %3 px at %4 px: %5")
                                        .arg(row)
                                        .arg(table->rowHeight(row))
                                        .arg(needed)
                                        .arg(column.width())
                                        .arg(reason)));
                if (needed > metrics.height()) ++wrapped;
            }
            if (width == 1000) QVERIFY(wrapped > 0);  // the check saw sentences wrap
        }
    }

    void the_planners_analyzer_and_noise_source_choices_click_its_own_menus() {
        auto window = calculator_window();
        PlannerWindow* planner = open_planner(*window);
        find<QSpinBox>(*planner, "sweepPoints")->setValue(11);
        QVERIFY(wait_for_sweep(*planner));
        const std::vector<std::string> calculator_before = window_texts(window->calculator());
        auto* analyzer = find<QComboBox>(*planner, "analyzer");
        auto* source = find<QComboBox>(*planner, "noiseSource");
        // What the calculator's pop-up menus offer, in their order; the user's
        // own values named as the calculator's selection label names them.
        for (const auto& [box, menu] :
             {std::pair{analyzer, Ctl::mnuSAtop}, {source, Ctl::mnuNStop}}) {
            QStringList items = menu_leaves(window->calculator(), menu);
            QCOMPARE(items.front(), QStringLiteral("User Defined"));
            items.front() = QStringLiteral("User");
            QCOMPARE(offered(*box), items);
        }
        QCOMPARE(analyzer->currentText(), QStringLiteral("User"));

        analyzer->setCurrentIndex(analyzer->findText(QStringLiteral("Hestra-2")));
        source->setCurrentIndex(source->findText(QStringLiteral("NS346B")));
        QCOMPARE(planner->setup().form[Ctl::lblSAsel].text, std::string("Hestra-2"));
        QCOMPARE(planner->setup().form[Ctl::lblNSsel].text, std::string("NS346B"));
        QVERIFY(wait_for_sweep(*planner));
        QVERIFY(planner->chart_data().title.find("Hestra-2") != std::string::npos);
        QCOMPARE(window_texts(window->calculator()), calculator_before);

        // The same choices in the calculator's pop-up menus make the same window.
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        const auto choose_in_calculator = [&](const char* label, const QString& item) {
            window->set_popup_chooser([item](QMenu& menu) -> QAction* {
                for (QAction* a : menu.findChildren<QAction*>())
                    if (a->text() == item) return a;
                return nullptr;
            });
            auto* selection = find<QWidget>(*window, label);
            QTest::mouseClick(selection, Qt::LeftButton, Qt::NoModifier,
                              selection->rect().center());
        };
        choose_in_calculator("lblSAsel", QStringLiteral("Hestra-2"));
        choose_in_calculator("lblNSsel", QStringLiteral("NS346B"));
        QCOMPARE(window->calculator().form[Ctl::lblNSsel].text, std::string("NS346B"));
        QCOMPARE(window_texts(planner->setup()), window_texts(window->calculator()));

        // "From Calculator" shows the calculator's choice again.
        choose_in_calculator("lblSAsel", QStringLiteral("User Defined"));
        QCOMPARE(window->calculator().form[Ctl::lblSAsel].text, std::string("User"));
        QTest::mouseClick(find<QPushButton>(*planner, "fromCalculator"), Qt::LeftButton);
        QCOMPARE(analyzer->currentText(), QStringLiteral("User"));
        QCOMPARE(source->currentText(), QStringLiteral("NS346B"));
        QCOMPARE(window_texts(planner->setup()), window_texts(window->calculator()));
        QVERIFY(wait_for_sweep(*planner));
    }

    void numbers_follow_a_decimal_comma_locale() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        auto window = calculator_window();
        PlannerWindow* planner = open_planner(*window);
        find<QSpinBox>(*planner, "sweepPoints")->setValue(5);
        QVERIFY(wait_for_sweep(*planner));
        planner->select_point(2);
        auto* table = find<QTableWidget>(*planner, "budgetTable");
        QVERIFY(table->rowCount() > 0);
        QVERIFY2(table->item(0, 3)->text().contains(','), qPrintable(table->item(0, 3)->text()));
        QVERIFY(find<QDoubleSpinBox>(*planner, "sweepTo")->text().contains(','));
        QLocale::setDefault(QLocale::c());
    }
};

QTEST_MAIN(PlannerWindowTest)
#include "planner_window_test.moc"
