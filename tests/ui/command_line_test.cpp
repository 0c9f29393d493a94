// The program's own options: --help and --version print and end before any
// window opens, with a display or without one.
#include <QProcess>
#include <QTest>

namespace {

struct Run {
    int exit_status = -1;
    bool finished = false;
    QString out, err;
};

// Runs the program with ARGUMENTS; DISPLAYED gives it the offscreen
// display, else it has none at all.
Run run_program(const QStringList& arguments, bool displayed) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    if (displayed)
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ORLAVEX_EXECUTABLE), arguments);
    Run run;
    run.finished = program.waitForFinished(20000);
    if (!run.finished) {
        program.kill();
        program.waitForFinished(5000);
    }
    run.exit_status = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    run.out = QString::fromLocal8Bit(program.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(program.readAllStandardError());
    return run;
}

}  // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

  private slots:
    void answers_before_the_window_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("displayed");
        QTest::addColumn<QString>("begins");
        const QString usage = QStringLiteral("usage: orlavex ");
        const QString version = QStringLiteral("orlavex " ORLAVEX_VERSION "\n");
        QTest::newRow("help, no display") << QStringList{"--help"} << false << usage;
        QTest::newRow("version, no display") << QStringList{"--version"} << false << version;
        QTest::newRow("help, display") << QStringList{"--help"} << true << usage;
        QTest::newRow("version, display") << QStringList{"--version"} << true << version;
        QTest::newRow("after a Qt option")
            << QStringList{"-platform", "offscreen", "--version"} << true << version;
        QTest::newRow("with the start-up option")
            << QStringList{"--exit-after-show", "-h"} << false << usage;
    }

    void answers_before_the_window() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, displayed);
        QFETCH(QString, begins);
        const Run run = run_program(arguments, displayed);
        QVERIFY2(run.finished, "still running: the window opened");
        QCOMPARE(run.exit_status, 0);
        QVERIFY2(run.out.startsWith(begins), qPrintable(run.out + run.err));
        QCOMPARE(run.err, QString());
        if (begins.startsWith(QLatin1String("usage"))) {
            for (const char* option : {"--help", "--version", "--exit-after-show"})
                QVERIFY2(run.out.contains(QLatin1String(option)), option);
        } else {
            QCOMPARE(run.out, begins);
        }
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
