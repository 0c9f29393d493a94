// The planner's set-up files and its File and Edit menus: save and open,
// the title and its unsaved-changes mark, the question before unsaved
// changes go (each answer), recent files, a bad file, and the clipboard.
#include "planner_fixture.h"

#include "app/results/sweep_output.h"
#include "app/setup_file/setup_file.h"
#include "charts/chart_files.h"
#include "window/set_up_actions.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>

#include <sstream>

using namespace orlavex;
using namespace orlavex::planner;
using namespace orlavex::planner::testing;

namespace {

template <typename Widget>
Widget* find(const QWidget& window, const char* name) {
    return window.findChild<Widget*>(QString::fromLatin1(name));
}

std::string csv_of(const PlannerWindow& planner) {
    std::ostringstream out;
    const planning::Sweep sweep = planner.current_sweep();
    app::write_sweep_csv(out, planning::run_sweep(sweep), sweep.monte_carlo.enabled);
    return out.str();
}

void trigger(const PlannerWindow& planner, const char* action) {
    planner.findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

QString shown_title(const PlannerWindow& planner) {
    QString title = planner.windowTitle();
    return title.replace(QStringLiteral("[*]"),
                         planner.isWindowModified() ? QStringLiteral("*") : QString());
}

QStringList recent_names(const PlannerWindow& planner) {
    auto* menu = find<QMenu>(planner, "recentMenu");
    emit menu->aboutToShow();
    QStringList names;
    for (const QAction* a : menu->actions())
        if (!a->isSeparator() && a->objectName() != QStringLiteral("clearRecent"))
            names << QFileInfo(a->data().toString()).fileName();
    return names;
}

struct ScriptedPlanner {
    std::unique_ptr<PlannerWindow> planner =
        std::make_unique<PlannerWindow>([] { return started_calculator(); });
    std::shared_ptr<ScriptedDialogs> script = std::make_shared<ScriptedDialogs>();
    // A sweep of few points is a change of the planner as it opens.
    explicit ScriptedPlanner(bool few_points = true) {
        planner->set_dialogs(scripted(script));
        if (few_points) find<QSpinBox>(*planner, "sweepPoints")->setValue(7);
    }
};

}  // namespace

class PlannerFilesTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath("config"));
    }
    void init() {
        fail_on_qt_warnings();
        RecentFiles().clear();
    }

    void a_saved_set_up_opens_to_the_same_plan() {
        QCOMPARE(shown_title(*ScriptedPlanner(false).planner), QStringLiteral("Orlavex Planner"));
        ScriptedPlanner a;
        auto* analyzer = find<QComboBox>(*a.planner, "analyzer");
        analyzer->setCurrentIndex(analyzer->findText(QStringLiteral("Aravel-3")));
        find<QDoubleSpinBox>(*a.planner, "lossIn")->setValue(0.75);
        QVERIFY(a.planner->load_enr_table(QStringLiteral(ORLAVEX_TEST_DATA_DIR "/source.enr")));
        QCOMPARE(shown_title(*a.planner), QStringLiteral("Orlavex Planner*"));

        // Save As adds the extension to a bare name.
        a.script->save_paths << path("plan");
        trigger(*a.planner, "saveSetupAs");
        QCOMPARE(a.script->suggested_names, QStringList{QStringLiteral("plan.orlavex.json")});
        QCOMPARE(a.planner->setup_path(), path("plan.orlavex.json"));
        QVERIFY(QFile::exists(path("plan.orlavex.json")));
        QCOMPARE(shown_title(*a.planner), QStringLiteral("plan.orlavex.json - Orlavex Planner"));
        QCOMPARE(a.planner->windowFilePath(), path("plan.orlavex.json"));

        // Another planner, set up otherwise, opens it through the menu.
        ScriptedPlanner b;
        find<QDoubleSpinBox>(*b.planner, "dutGain")->setValue(3);
        b.script->unsaved_answer = QMessageBox::Discard;
        b.script->open_paths << path("plan.orlavex.json");
        trigger(*b.planner, "openSetup");
        QCOMPARE(b.script->unsaved_asked, 1);
        QVERIFY(b.script->errors.isEmpty());
        QCOMPARE(csv_of(*b.planner), csv_of(*a.planner));
        QCOMPARE(b.planner->bench().loss_in.loss_db, 0.75);
        QCOMPARE(find<QDoubleSpinBox>(*b.planner, "lossIn")->value(), 0.75);
        QCOMPARE(shown_title(*b.planner), QStringLiteral("plan.orlavex.json - Orlavex Planner"));
        QVERIFY(wait_for_sweep(*b.planner));
        QVERIFY(!b.planner->isWindowModified());

        // A change marks it; Save writes to the same file and clears the mark.
        find<QSpinBox>(*b.planner, "sweepPoints")->setValue(9);
        QVERIFY(b.planner->isWindowModified());
        trigger(*b.planner, "saveSetup");
        QVERIFY2(b.script->errors.isEmpty(), qPrintable(b.script->errors.join(QLatin1Char(10))));
        QVERIFY(!b.planner->isWindowModified());
        QCOMPARE(app::read_setup_file(path("plan.orlavex.json").toStdString()).points, 9u);
    }

    void data_files_travel_inside_the_set_up() {
        const QString enr = path("moved.enr"), loss = path("moved_cable.s2p");
        QVERIFY(QFile::copy(QStringLiteral(ORLAVEX_TEST_DATA_DIR "/source.enr"), enr));
        QVERIFY(QFile::copy(QStringLiteral(ORLAVEX_TEST_DATA_DIR "/cable.s2p"), loss));
        ScriptedPlanner a;
        QVERIFY(a.planner->load_enr_table(enr));
        QVERIFY(a.planner->load_loss_file(LossSide::after, loss));
        QVERIFY(a.planner->save_setup_file(path("travels.orlavex.json")));
        QVERIFY(QFile::remove(enr) && QFile::remove(loss));

        // Opened and saved again elsewhere with the originals gone.
        ScriptedPlanner b;
        QVERIFY(b.planner->open_setup_file(path("travels.orlavex.json")));
        QVERIFY(b.planner->save_setup_file(path("again.orlavex.json")));
        QVERIFY2(b.script->errors.isEmpty(), qPrintable(b.script->errors.join(QLatin1Char(10))));
        ScriptedPlanner c;
        QVERIFY(c.planner->open_setup_file(path("again.orlavex.json")));
        QCOMPARE(csv_of(*c.planner), csv_of(*a.planner));
        QVERIFY(c.planner->bench().loss_out.sparameters.has_value());
    }

    void unsaved_changes_ask_before_they_go() {
        for (const QMessageBox::StandardButton answer :
             {QMessageBox::Save, QMessageBox::Discard, QMessageBox::Cancel}) {
            ScriptedPlanner p;
            p.planner->show();
            p.script->save_paths << path("first");
            QVERIFY(p.planner->save_setup());
            find<QDoubleSpinBox>(*p.planner, "dutNf")->setValue(4.25);
            p.script->unsaved_answer = answer;
            QVERIFY(!p.planner->close() == (answer == QMessageBox::Cancel));
            QCOMPARE(p.script->unsaved_asked, 1);
            QCOMPARE(p.planner->isVisible(), answer == QMessageBox::Cancel);
            QCOMPARE(p.planner->isWindowModified(), answer != QMessageBox::Save);
            const app::SweepRequest saved =
                app::read_setup_file(path("first.orlavex.json").toStdString());
            QCOMPARE(saved.setup.field("dut_nf").value_or(0) == 4.25, answer == QMessageBox::Save);
        }
        // Nothing unsaved: no question.
        ScriptedPlanner fresh(false);
        fresh.planner->show();
        QVERIFY(fresh.planner->close());
        QCOMPARE(fresh.script->unsaved_asked, 0);
        // Save without a file asks for one; cancelling it keeps the window.
        ScriptedPlanner untitled;
        untitled.planner->show();
        find<QDoubleSpinBox>(*untitled.planner, "dutNf")->setValue(3.5);
        untitled.script->unsaved_answer = QMessageBox::Save;
        QVERIFY(!untitled.planner->close());
        QCOMPARE(untitled.script->suggested_names.size(), 1);
        QVERIFY(untitled.planner->isVisible());
        // Opening another file with Cancel opens nothing.
        untitled.script->unsaved_answer = QMessageBox::Cancel;
        untitled.script->open_paths << path("first.orlavex.json");
        trigger(*untitled.planner, "openSetup");
        QCOMPARE(untitled.script->open_paths.size(), 1);
        QCOMPARE(untitled.planner->setup_path(), QString());
    }

    void recent_files_newest_first_at_most_eight() {
        ScriptedPlanner p;
        for (int i = 0; i < 10; ++i) {
            p.script->save_paths << path(qPrintable(QStringLiteral("r%1.orlavex.json").arg(i)));
            QVERIFY(p.planner->save_setup_as());
        }
        QVERIFY(p.planner->open_setup_file(path("r3.orlavex.json")));
        QCOMPARE(recent_names(*p.planner),
                 QStringList({"r3.orlavex.json", "r9.orlavex.json", "r8.orlavex.json",
                              "r7.orlavex.json", "r6.orlavex.json", "r5.orlavex.json",
                              "r4.orlavex.json", "r2.orlavex.json"}));
        // Another planner (another session) has the same list.
        ScriptedPlanner other;
        QCOMPARE(recent_names(*other.planner).size(), 8);

        // A file gone since: a message, and off the list.
        QVERIFY(QFile::remove(path("r9.orlavex.json")));
        auto* menu = find<QMenu>(*other.planner, "recentMenu");
        emit menu->aboutToShow();
        menu->actions().at(1)->trigger();
        QCOMPARE(other.script->errors.size(), 1);
        QVERIFY(other.script->errors[0].contains(QStringLiteral("r9.orlavex.json")));
        QVERIFY(!recent_names(*other.planner).contains(QStringLiteral("r9.orlavex.json")));
        QCOMPARE(other.planner->setup_path(), QString());
        // One there opens.
        emit menu->aboutToShow();
        menu->actions().at(0)->trigger();
        QCOMPARE(other.planner->setup_path(), path("r3.orlavex.json"));

        find<QAction>(*other.planner, "clearRecent")->trigger();
        QVERIFY(recent_names(*other.planner).isEmpty());
        QVERIFY(!find<QAction>(*other.planner, "clearRecent")->isEnabled());
    }

    void a_bad_file_shows_the_readers_message_and_changes_nothing() {
        ScriptedPlanner p;
        p.script->save_paths << path("good");
        QVERIFY(p.planner->save_setup());
        find<QDoubleSpinBox>(*p.planner, "dutNf")->setValue(6.5);
        const std::string before = csv_of(*p.planner);
        const QString title = shown_title(*p.planner);
        for (const auto& [name, text] : {std::pair{"not-json.orlavex.json", "{ this is not JSON"},
                                         {"unknown-key.orlavex.json",
                                          "{\"format\": \"orlavex-setup\", \"version\": 1,\n"
                                          " \"no_such_key\": 3}"}}) {
            QFile file(path(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text);
            file.close();
            QVERIFY(!p.planner->open_setup_file(path(name)));
            QCOMPARE(p.script->errors.size(), 1);
            const QString message = p.script->errors.takeFirst();
            QVERIFY2(message.contains(QString::fromLatin1(name)), qPrintable(message));
            QVERIFY2(!message.contains('\n'), qPrintable(message));
            QCOMPARE(csv_of(*p.planner), before);
            QCOMPARE(shown_title(*p.planner), title);
            QCOMPARE(p.planner->setup_path(), path("good.orlavex.json"));
        }
    }

    void copy_puts_the_budget_and_the_chart_on_the_clipboard() {
        ScriptedPlanner p;
        find<QDoubleSpinBox>(*p.planner, "lossIn")->setValue(1);
        QVERIFY(wait_for_sweep(*p.planner));
        p.planner->select_point(3);
        trigger(*p.planner, "copyBudgetAction");
        const QMimeData* data = QApplication::clipboard()->mimeData();
        QCOMPARE(data->text(), p.planner->budget_text());
        const QString html = data->html();
        QVERIFY(html.startsWith(QStringLiteral("<table><caption>Uncertainty budget at")));
        QVERIFY(html.contains(QStringLiteral("<th>source</th><th>u</th>")));
        QVERIFY(html.contains(QStringLiteral("<td>Loss before the DUT</td>")));
        // One row per line of the text but its title.
        QCOMPARE(html.count(QStringLiteral("<tr>")), p.planner->budget_text().count('\n') - 1);

        trigger(*p.planner, "copyChartAction");
        const QImage image = QApplication::clipboard()->image();
        QCOMPARE(image.size(), charts::default_image_size);
        // Drawn, not blank: more than the background colour.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7)
                colours.insert(image.pixel(x, y));
        QVERIFY(colours.size() > 3);
    }
};

QTEST_MAIN(PlannerFilesTest)
#include "planner_files_test.moc"
