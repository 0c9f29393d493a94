// The planner's measured readings: File > Open Readings... drawn over the
// planned uncertainty, and Tools > Measure... run against orlavex-sim on a
// loopback port the test starts and stops (its questions, progress, Cancel
// switching the source off, a supply switching it, the readings saved and
// evaluated again, their report as orlavex-cli writes it).
#include "planner_fixture.h"

#include "instruments/measurement_run.h"
#include "instruments/scpi.h"
#include "planner/measure_dialog.h"
#include "planner/measured_series.h"
#include "planner/point_chart_view.h"
#include "window/set_up_actions.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>

#include <cmath>

using namespace orlavex;
using namespace orlavex::planner;
using namespace orlavex::planner::testing;

namespace {

const QString bench_plan = QStringLiteral(ORLAVEX_INSTRUMENTS_DATA_DIR "/plan.orlavex.json");

// orlavex-sim on 127.0.0.1 with the bench of bench_plan; stopped with the object.
class Simulator {
  public:
    explicit Simulator(const QStringList& args = {}) {
        process_.start(QStringLiteral(ORLAVEX_SIM_PATH),
                       QStringList{"--setup", bench_plan, "--listen", "127.0.0.1:0"} + args);
        if (!process_.waitForReadyRead(10000)) return;
        const QString line = QString::fromUtf8(process_.readLine()).trimmed();
        if (line.startsWith(QStringLiteral("listening on 127.0.0.1:")))
            port_ = line.section(QLatin1Char(':'), -1);
    }
    ~Simulator() {
        process_.terminate();
        if (!process_.waitForFinished(10000)) process_.kill();
        process_.waitForFinished(10000);
    }
    bool started() const { return !port_.isEmpty(); }
    QString resource() const { return QStringLiteral("TCPIP::127.0.0.1::%1::SOCKET").arg(port_); }
    std::string ask(const std::string& query) const {
        const instruments::Milliseconds timeout(10000);
        auto transport = instruments::open_transport(
            instruments::parse_resource(resource().toStdString()), timeout);
        instruments::Scpi scpi(*transport, timeout, "the simulator");
        return scpi.query(query);
    }

  private:
    QProcess process_;
    QString port_;
};

QScatterSeries* measured_points(const PlannerWindow& planner) {
    auto* view = planner.findChild<PointChartView*>(QStringLiteral("uncertaintyChart"));
    for (QAbstractSeries* s : view->chart()->series())
        if (s->name() == QString::fromLatin1(measured_series_name))
            return qobject_cast<QScatterSeries*>(s);
    return nullptr;
}

// The measured points' error bars: two points at one frequency in the
// points' own colour (the chart's band edges are vertical lines too).
int bar_count(const PlannerWindow& planner) {
    auto* view = planner.findChild<PointChartView*>(QStringLiteral("uncertaintyChart"));
    const QColor colour = measured_points(planner)->color();
    int bars = 0;
    for (QAbstractSeries* s : view->chart()->series()) {
        auto* line = qobject_cast<QLineSeries*>(s);
        bars += line != nullptr && line->count() == 2 && line->at(0).x() == line->at(1).x() &&
                line->pen().color() == colour;
    }
    return bars;
}

QByteArray file_bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A report without the date it was made.
QString undated(const QByteArray& html) {
    static const QRegularExpression date(QStringLiteral("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d UTC"));
    return QString::fromUtf8(html).replace(date, QStringLiteral("(date)"));
}

// orlavex-cli's exit code for ARGUMENTS, its error output shown when it fails.
int cli(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(ORLAVEX_CLI_PATH), arguments);
    if (!process.waitForFinished(120000)) return -1;
    if (process.exitCode() != 0) qInfo("%s", process.readAllStandardError().constData());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

void write(const QString& path, const char* text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

}  // namespace

class PlannerMeasureTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    struct Planner {
        std::unique_ptr<PlannerWindow> window =
            std::make_unique<PlannerWindow>([] { return started_calculator(); });
        std::shared_ptr<ScriptedDialogs> script = std::make_shared<ScriptedDialogs>();
        Planner() { window->set_dialogs(scripted(script)); }
    };

  private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void init() { fail_on_qt_warnings(); }

    // Measured points on the uncertainty chart: the noise figure less the
    // planned one, with U as bars; the y axis widened to hold a far one;
    // a point beyond the sweep's band left out; a bad file keeps them.
    void readings_are_drawn_over_the_plan() {
        Planner p;
        QVERIFY(p.window->open_setup_file(
            QStringLiteral(ORLAVEX_EXAMPLES_DIR "/lna_band.orlavex.json")));
        QVERIFY(wait_for_sweep(*p.window));
        write(path("readings.csv"),
              "freq_ghz,cal_off_dbm,cal_on_dbm,meas_off_dbm,meas_on_dbm\n"
              "2,-85.1,-70.3,-64.9,-56.0\n6,-85.0,-70.6,-65.2,-56.1\n"
              "12,-84.9,-70.9,-65.0,-59.7\n40,-84.9,-70.9,-65.0,-55.7\n");
        QVERIFY(p.window->open_readings_file(path("readings.csv")));
        QScatterSeries* points = measured_points(*p.window);
        QVERIFY(points != nullptr);
        const std::vector<session::MeasuredMark> marks =
            session::measured_marks(*p.window->session().measured());
        QCOMPARE(marks.size(), std::size_t{4});
        QCOMPARE(points->count(), 3);  // 40 GHz lies beyond the sweep
        QCOMPARE(bar_count(*p.window), 3);
        auto* view = p.window->findChild<PointChartView*>(QStringLiteral("uncertaintyChart"));
        auto* y = qobject_cast<QCategoryAxis*>(view->chart()->axes(Qt::Vertical).front());
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(points->at(i).x(), marks[i].freq_ghz);
            QCOMPARE(points->at(i).y(), *marks[i].error_db);
            QVERIFY(y->min() <= *marks[i].error_db - *marks[i].expanded_db);
            QVERIFY(y->max() >= *marks[i].error_db + *marks[i].expanded_db);
        }
        QVERIFY(p.window->status_text().contains(QStringLiteral("3 of 4 measured points")));

        // A new sweep draws them again; a bad file changes nothing.
        p.window->findChild<QSpinBox*>(QStringLiteral("sweepPoints"))->setValue(9);
        QVERIFY(wait_for_sweep(*p.window));
        QCOMPARE(measured_points(*p.window)->count(), 3);
        write(path("bad.csv"), "freq_ghz,meas_off_dbm\n2,x\n");
        QVERIFY(!p.window->open_readings_file(path("bad.csv")));
        QCOMPARE(p.script->errors.size(), 1);
        QCOMPARE(measured_points(*p.window)->count(), 3);
    }

    // Choices the run cannot take are refused before the bench is touched.
    void refused_choices_say_why() {
        Planner p;
        MeasureDialog* dialog = p.window->open_measure_dialog();
        const session::MeasureChoices good = dialog->choices();
        struct Case {
            std::function<void(session::MeasureChoices&)> change;
            const char* says;
        };
        const Case cases[] = {
            {[](auto& c) { c.analyzer = "GPIB::12"; }, "not an instrument address"},
            {[](auto& c) { c.to_ghz = c.from_ghz / 2; }, "To at or above From"},
            {[](auto& c) { c.profile = "no-such"; }, "no shipped profile named"},
            {[](auto& c) { c.profile = "supply-28v"; }, "not an analyzer's profile"},
        };
        for (const Case& c : cases) {
            session::MeasureChoices choices = good;
            choices.analyzer = "TCPIP::127.0.0.1::9::SOCKET";
            c.change(choices);
            dialog->set_choices(choices);
            QVERIFY(!dialog->start());
            QVERIFY2(dialog->status().contains(QString::fromLatin1(c.says)),
                     qPrintable(dialog->status()));
            QVERIFY(!dialog->running());
        }
    }

    // A band measured on the simulated bench: the questions asked, the
    // points drawn as the saved file evaluates, the source left off.
    void a_run_on_the_bench_is_shown_and_saved() {
        Simulator sim;
        QVERIFY(sim.started());
        Planner p;
        QVERIFY(p.window->open_setup_file(bench_plan));
        MeasureDialog* dialog = p.window->open_measure_dialog();
        session::MeasureChoices c = dialog->choices();
        c.analyzer = sim.resource().toStdString();
        c.profile = profile_with_switch().toStdString();
        c.from_ghz = 1;
        c.to_ghz = 3;
        c.points = 3;
        c.repeat = 2;
        dialog->set_choices(c);
        QCOMPARE(dialog->test_connection(), QStringLiteral("Orlavex,Simulated noise bench,0,1.0"));
        QStringList asked;
        dialog->set_asker([&asked](const QString& q) { return asked << q, true; });
        QSignalSpy ended(dialog, &MeasureDialog::run_ended);
        QVERIFY(dialog->start());
        QVERIFY(ended.wait(60000));
        QCOMPARE(asked.size(), 2);  // before the calibration and before the DUT
        QVERIFY2(dialog->status().startsWith(QStringLiteral("Measured 3")),
                 qPrintable(dialog->status()));
        QCOMPARE(sim.ask("SIM:SOURCE?"), std::string("OFF"));

        const auto shown = p.window->session().measured();
        QVERIFY(shown.has_value());
        QCOMPARE(shown->points.size(), std::size_t{3});
        for (const session::MeasuredMark& m : session::measured_marks(*shown))
            QVERIFY(std::fabs(*m.error_db) <= *m.expanded_db);  // the simulated DUT as planned

        // The readings saved evaluate to what is shown.
        QCOMPARE(dialog->save_readings(path("taken.csv")), QString());
        const std::string csv = p.window->session().measured_csv();
        Planner again;
        QVERIFY(again.window->open_setup_file(bench_plan));
        QVERIFY(again.window->open_readings_file(path("taken.csv")));
        QCOMPARE(again.window->session().measured_csv(), csv);
        QCOMPARE(p.window->write_measured_results(path("results.csv")), QString());
        QFile results(path("results.csv"));
        QVERIFY(results.open(QIODevice::ReadOnly));
        QCOMPARE(results.readAll().toStdString(), csv);
    }

    // Cancel in the middle of a run: it stops, says so, and the source is off.
    void cancel_switches_the_source_off() {
        Simulator sim({QStringLiteral("--delay"), QStringLiteral("40")});
        QVERIFY(sim.started());
        Planner p;
        QVERIFY(p.window->open_setup_file(bench_plan));
        MeasureDialog* dialog = p.window->open_measure_dialog();
        session::MeasureChoices c = dialog->choices();
        c.analyzer = sim.resource().toStdString();
        c.profile = profile_with_switch().toStdString();
        c.from_ghz = 1;
        c.to_ghz = 3;
        c.points = 40;
        c.ask = false;
        dialog->set_choices(c);
        QSignalSpy ended(dialog, &MeasureDialog::run_ended);
        QVERIFY(dialog->start());
        QTRY_VERIFY_WITH_TIMEOUT(sim.ask("SIM:SOURCE?") == "ON", 30000);
        dialog->cancel();
        QVERIFY(ended.wait(60000));
        QVERIFY2(dialog->status().contains(QStringLiteral(": interrupted;")),
                 qPrintable(dialog->status()));
        QCOMPARE(sim.ask("SIM:SOURCE?"), std::string("OFF"));
        QVERIFY(!dialog->running());
    }

    // Report writes the report orlavex-cli report --readings writes for the
    // saved readings and the planner's saved set-up, but for its date: the
    // readings' SHA-256, a results row for each frequency. Unsaved, they
    // are named so.
    void the_runs_report_is_the_command_lines() {
        Simulator sim;
        QVERIFY(sim.started());
        Planner p;
        QVERIFY(p.window->open_setup_file(bench_plan));
        MeasureDialog* dialog = p.window->open_measure_dialog();
        QCOMPARE(p.window->write_measurement_report(path("none.html"), report::Paper::a4),
                 QStringLiteral("No readings measured yet."));
        QVERIFY(run(*dialog, sim, [](auto& c) { c.points = 5, c.repeat = 2; }));
        const QString sha = QString::fromLatin1(
            QCryptographicHash::hash(dialog->readings_text().toUtf8(), QCryptographicHash::Sha256)
                .toHex());
        QCOMPARE(p.window->write_measurement_report(path("unsaved.html"), report::Paper::a4),
                 QString());
        const QString unsaved = undated(file_bytes(path("unsaved.html")));
        QVERIFY(unsaved.contains(sha) && unsaved.contains(QStringLiteral("(not saved")));

        QCOMPARE(dialog->save_readings(path("taken.csv")), QString());
        QVERIFY(p.window->save_setup_file(path("plan.orlavex.json")));
        QCOMPARE(p.window->write_measurement_report(path("planner.html"), report::Paper::a4),
                 QString());
        QCOMPARE(cli({"report", "--readings", path("taken.csv"), "--setup",
                      path("plan.orlavex.json"), "-o", path("cli.html")}),
                 0);
        const QString html = undated(file_bytes(path("planner.html")));
        QCOMPARE(html, undated(file_bytes(path("cli.html"))));
        QVERIFY(html.contains(sha) && html.contains(QStringLiteral("taken.csv")));
        const qsizetype from = html.indexOf(QStringLiteral("<section id=\"results\">"));
        const QRegularExpression row(QStringLiteral("<tr[^>]*><td[^>]*>([0-9.]+)[^<]*</td>"));
        QStringList freqs;
        for (auto m = row.globalMatch(html.mid(from, html.indexOf("</section>", from) - from));
             m.hasNext();)
            freqs << m.next().captured(1);
        QCOMPARE(freqs, QStringList({"1", "1.5", "2", "2.5", "3"}));

        QCOMPARE(p.window->write_measurement_report(path("planner.pdf"), report::Paper::letter),
                 QString());
        const QByteArray pdf = file_bytes(path("planner.pdf"));
        const QRegularExpression letter(
            QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+612(\\.0*)?\\s+792"));
        QVERIFY(pdf.startsWith("%PDF-") && letter.match(QString::fromLatin1(pdf)).hasMatch());
    }

    // A supply at an address of its own switches the source by the profile
    // chosen for it (each profile box offers the shipped ones of its kind):
    // the shipped 28 V one drives the simulated source, one at 12 V does
    // not and the run refuses it; either way the source ends off.
    void a_supply_switches_the_source_by_its_profile() {
        Simulator sim;
        QVERIFY(sim.started());
        Planner p;
        QVERIFY(p.window->open_setup_file(bench_plan));
        MeasureDialog* dialog = p.window->open_measure_dialog();
        for (const auto& [box, kind] :
             {std::pair{"analyzerProfile", instruments::ProfileKind::analyzer},
              std::pair{"supplyProfile", instruments::ProfileKind::supply}}) {
            auto* profiles = dialog->findChild<QComboBox*>(QString::fromLatin1(box));
            QVERIFY(profiles->count() > 0);
            for (int i = 0; i < profiles->count(); ++i)
                QVERIFY(instruments::profile_named(profiles->itemText(i).toStdString()).kind ==
                        kind);
        }
        const QString low = profile_file("supply-28v", "supply-12v.json", [](QJsonObject& j) {
            QJsonObject settings = j[QStringLiteral("settings")].toObject();
            settings[QStringLiteral("volts")] = 12;
            j[QStringLiteral("settings")] = settings;
        });
        const std::pair<QString, const char*> cases[] = {
            {QStringLiteral("supply-28v"), "Measured 3"}, {low, "does not seem to switch"}};
        for (const auto& [supply, says] : cases) {
            QVERIFY(run(*dialog, sim, [&](auto& c) {
                c.source = "supply:" + sim.resource().toStdString();
                c.supply_profile = supply.toStdString();
            }));
            QCOMPARE(dialog->findChild<QComboBox*>(QStringLiteral("supplyProfile"))->currentText(),
                     supply);
            QVERIFY2(dialog->status().contains(QString::fromLatin1(says)),
                     qPrintable(dialog->status()));
            QCOMPARE(sim.ask("SIM:SOURCE?"), std::string("OFF"));
        }
    }

  private:
    // A run on SIM from 1 to 3 GHz, with the simulator's DUT switch and no
    // questions, CHANGE made to the choices; true when it ended.
    bool run(MeasureDialog& dialog, const Simulator& sim,
             const std::function<void(session::MeasureChoices&)>& change) const {
        session::MeasureChoices c = dialog.choices();
        c.analyzer = sim.resource().toStdString();
        c.profile = profile_with_switch().toStdString();
        c.from_ghz = 1;
        c.to_ghz = 3;
        c.points = 3;
        c.ask = false;
        change(c);
        dialog.set_choices(c);
        QSignalSpy ended(&dialog, &MeasureDialog::run_ended);
        return dialog.start() && ended.wait(60000);
    }

    // The shipped profile with the simulator's DUT switch.
    QString profile_with_switch() const {
        return profile_file("analyzer-marker-noise", "profile.json", [](QJsonObject& profile) {
            profile[QStringLiteral("dut_in")] = QStringLiteral("SIM:DUT ON");
            profile[QStringLiteral("dut_out")] = QStringLiteral("SIM:DUT OFF");
        });
    }

    // The shipped profile SHIPPED, CHANGE made, as the file NAME.
    QString profile_file(const char* shipped, const char* name,
                         const std::function<void(QJsonObject&)>& change) const {
        QFile in(QStringLiteral(ORLAVEX_PROFILES_DIR "/%1.json").arg(QLatin1String(shipped)));
        if (!in.open(QIODevice::ReadOnly)) return {};
        QJsonObject profile = QJsonDocument::fromJson(in.readAll()).object();
        change(profile);
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly)) return {};
        file.write(QJsonDocument(profile).toJson());
        return path(name);
    }
};

QTEST_MAIN(PlannerMeasureTest)
#include "planner_measure_test.moc"
