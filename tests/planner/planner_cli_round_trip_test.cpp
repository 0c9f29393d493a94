// A set-up saved by the planner runs in orlavex-cli to the planner's own
// figures, and the planner reopens what orlavex-cli saved of it: the sweep
// comes out byte for byte the same either way.
#include "planner_fixture.h"

#include "window/set_up_actions.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QJsonDocument>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>

#include <cmath>
#include <utility>

using namespace orlavex;
using namespace orlavex::planner;
using namespace orlavex::planner::testing;

namespace {

template <typename Widget>
Widget* find(const QWidget& window, const char* name) {
    return window.findChild<Widget*>(QString::fromLatin1(name));
}

// orlavex-cli's standard output for ARGUMENTS; empty and a warning when it fails.
QByteArray cli(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(ORLAVEX_CLI_PATH), arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        qWarning("orlavex-cli %s: %s", qPrintable(arguments.join(' ')),
                 process.readAllStandardError().constData());
        return {};
    }
    return process.readAllStandardOutput();
}

QByteArray file_bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class PlannerCliRoundTripTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { fail_on_qt_warnings(); }

    void the_planners_set_up_sweeps_the_same_in_both() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const auto path = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
        PlannerWindow planner([] { return started_calculator(); });
        planner.set_dialogs(scripted(std::make_shared<ScriptedDialogs>()));
        auto* analyzer = find<QComboBox>(planner, "analyzer");
        analyzer->setCurrentIndex(analyzer->findText(QStringLiteral("Aravel-3")));
        find<QDoubleSpinBox>(planner, "dutNf")->setValue(2.5);
        find<QSpinBox>(planner, "sweepPoints")->setValue(23);
        QVERIFY(planner.load_enr_table(QStringLiteral(ORLAVEX_TEST_DATA_DIR "/source.enr")));
        QVERIFY(planner.load_sparameters(QStringLiteral(ORLAVEX_TEST_DATA_DIR "/dut_ri.s2p")));
        QVERIFY(planner.load_loss_file(LossSide::before,
                                       QStringLiteral(ORLAVEX_TEST_DATA_DIR "/cable.s2p")));
        find<QDoubleSpinBox>(planner, "lossOut")->setValue(0.4);
        find<QDoubleSpinBox>(planner, "lossOutUnc")->setValue(0.05);
        auto* source = find<QComboBox>(planner, "measSource");
        source->setCurrentIndex(source->findText(QStringLiteral("NS346C")));
        QVERIFY(wait_for_sweep(planner));
        QVERIFY(planner.save_setup_file(path("planner.orlavex.json")));

        // The planner's file in orlavex-cli: its figures, to the byte.
        const QByteArray json = cli({"sweep", "--setup", path("planner.orlavex.json"), "--format",
                                     "json", "--save-setup", path("cli.orlavex.json")});
        QVERIFY(json.startsWith('{'));
        QVERIFY(planner.export_csv(path("planner.csv")).isEmpty());
        QCOMPARE(cli({"sweep", "--setup", path("planner.orlavex.json"), "--format", "csv"}),
                 file_bytes(path("planner.csv")));

        // What orlavex-cli saved, reopened by a planner and saved again.
        PlannerWindow reopened([] { return started_calculator(); });
        reopened.set_dialogs(scripted(std::make_shared<ScriptedDialogs>()));
        QVERIFY(reopened.open_setup_file(path("cli.orlavex.json")));
        QVERIFY(reopened.save_setup_file(path("again.orlavex.json")));
        QCOMPARE(cli({"sweep", "--setup", path("again.orlavex.json"), "--format", "json"}), json);
        QVERIFY(wait_for_sweep(reopened));
    }

    // The known reflections typed in the model box: the planner's source-match
    // bias at a point is orlavex-cli point's with the same values as options
    // and with the set-up the planner saves, which a planner shows again.
    void typed_reflections_give_the_command_lines_bias() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("typed.orlavex.json"));
        PlannerWindow planner([] { return started_calculator(); });
        planner.set_dialogs(scripted(std::make_shared<ScriptedDialogs>()));
        find<QSpinBox>(planner, "sweepPoints")->setValue(5);
        auto* reflections = find<QComboBox>(planner, "reflections");
        reflections->setCurrentIndex(reflections->findText(QStringLiteral("known")));
        QStringList options = {"--reflections", "known", "--dut-nfmin", "0.4", "--dut-rn", "0.15"};
        const std::pair<const char*, const char*> typed[] = {{"source_on_gamma", "0.05@30"},
                                                             {"source_off_gamma", "0.12@-80"},
                                                             {"dut_s11", "0.5@-60"},
                                                             {"dut_gamma_opt", "0.3@40"}};
        for (const auto& [name, text] : typed) {
            find<QLineEdit>(planner, name)->setText(QString::fromLatin1(text));
            emit find<QLineEdit>(planner, name)->editingFinished();
            options << "--" + QString::fromLatin1(name).replace('_', '-') << text;
        }
        find<QDoubleSpinBox>(planner, "dut_nfmin")->setValue(0.4);
        find<QDoubleSpinBox>(planner, "dut_rn")->setValue(0.15);
        QVERIFY(wait_for_sweep(planner) && planner.save_setup_file(file));
        const planning::SweepPoint& point = planner.result()->points[2];
        QVERIFY2(point.source_match_bias_db, point.note.c_str());
        const QStringList at = {"point", "--json", "--no-mc", "--freq",
                                QString::number(point.freq_ghz, 'g', 17)};
        for (const QStringList& given : {options, QStringList{"--setup", file}}) {
            const QJsonDocument json = QJsonDocument::fromJson(cli(at + given));
            QCOMPARE_LE(
                std::abs(json["source_match_bias_db"].toDouble(9) - *point.source_match_bias_db),
                1e-12);
        }
        PlannerWindow reopened([] { return started_calculator(); });
        QVERIFY(reopened.open_setup_file(file));
        for (const auto& [name, text] : typed)
            QCOMPARE(find<QLineEdit>(reopened, name)->text(), QString::fromLatin1(text));
        QCOMPARE(reopened.session().model_options(), planner.session().model_options());
        QVERIFY(wait_for_sweep(reopened));
    }

    // File > Report... writes the report orlavex-cli report writes for the
    // set-up the planner saves, but for the date it was made.
    void the_planners_report_is_the_command_lines() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const auto path = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
        PlannerWindow planner([] { return started_calculator(); });
        planner.set_dialogs(scripted(std::make_shared<ScriptedDialogs>()));
        QCOMPARE(planner.write_report(path("none.html"), report::Paper::a4),
                 QStringLiteral("No sweep to report yet."));
        QVERIFY(!QFile::exists(path("none.html")));

        auto* analyzer = find<QComboBox>(planner, "analyzer");
        analyzer->setCurrentIndex(analyzer->findText(QStringLiteral("Aravel-3")));
        find<QSpinBox>(planner, "sweepPoints")->setValue(61);
        QVERIFY(planner.load_enr_table(QStringLiteral(ORLAVEX_TEST_DATA_DIR "/source.enr")));
        find<QDoubleSpinBox>(planner, "lossIn")->setValue(1.2);
        find<QDoubleSpinBox>(planner, "lossInUnc")->setValue(0.1);
        QVERIFY(wait_for_sweep(planner));
        QVERIFY(planner.save_setup_file(path("plan.orlavex.json")));
        QCOMPARE(planner.write_report(path("planner.html"), report::Paper::a4), QString());
        QVERIFY(cli({"report", "--setup", path("plan.orlavex.json"), "-o", path("cli.html")})
                    .isEmpty());
        const auto undated = [](QByteArray html) {
            const QRegularExpression date(QStringLiteral("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d UTC"));
            return QString::fromUtf8(html).replace(date, QStringLiteral("(date)"));
        };
        const QString html = undated(file_bytes(path("planner.html")));
        QVERIFY(html.contains(QStringLiteral("Loss before the DUT")) ||
                html.contains(QStringLiteral("loss_in")));
        QCOMPARE(html, undated(file_bytes(path("cli.html"))));

        QCOMPARE(planner.write_report(path("planner.pdf"), report::Paper::letter), QString());
        const QByteArray pdf = file_bytes(path("planner.pdf"));
        QVERIFY(pdf.startsWith("%PDF-"));
        const QRegularExpression letter(
            QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+612(\\.0*)?\\s+792(\\.0*)?\\s*\\]"));
        QVERIFY(letter.match(QString::fromLatin1(pdf)).hasMatch());
    }
};

QTEST_MAIN(PlannerCliRoundTripTest)
#include "planner_cli_round_trip_test.moc"
