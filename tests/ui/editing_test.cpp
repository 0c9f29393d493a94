// Native editing in the real window: a paste through the clipboard, undo of
// typing, and the menu keys, which never type.
#include "ui/application_setup.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QMenu>
#include <QMenuBar>

using namespace orlavex;
using namespace orlavex::ui;
using namespace orlavex::ui::testing;

namespace {

QString model_text(const MainWindow& window, Ctl id) {
    return QString::fromStdString(window.calculator().form[id].text);
}

// Types TEXT over the whole of FIELD's text and presses Enter.
void enter(MainWindow& window, QLineEdit* field, const QString& text) {
    click(field);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    type(window, text);
    press(window, Qt::Key_Return);
}

}  // namespace

class EditingTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { prepare_application(*qApp); }

    void a_pasted_value_gives_way_to_the_one_in_use() {
        for (const QString& pasted : {QStringLiteral("NaN"), QStringLiteral("1e308")}) {
            MainWindow window;
            QVERIFY(show_active(window));
            auto* nf = control<QLineEdit>(window, "txtDUT_NF");
            enter(window, nf, QStringLiteral("0"));
            QCOMPARE(nf->text(), QStringLiteral("0"));

            QApplication::clipboard()->setText(pasted);
            QTest::keyClick(nf, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(nf, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(nf->text(), pasted);
            QCOMPARE(model_text(window, Ctl::txtDUT_NF), pasted);  // taken over, not yet used
            press(window, Qt::Key_Return);
            // The calculation replaced the value; the field shows what it used.
            QVERIFY(model_text(window, Ctl::txtDUT_NF) != pasted);
            QCOMPARE(nf->text(), model_text(window, Ctl::txtDUT_NF));
            QCOMPARE(nf->text().toDouble(), window.calculator().state.DUT_NF);
        }
    }

    void ctrl_z_undoes_typing_until_the_field_commits() {
        MainWindow window;
        QVERIFY(show_active(window));
        auto* gain = control<QLineEdit>(window, "txtDUT_Gain");
        click(gain);
        QCOMPARE(gain->selectedText(), QStringLiteral("15"));
        type(window, QStringLiteral("27"));
        QCOMPARE(gain->text(), QStringLiteral("27"));
        press(window, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(gain->text() != QStringLiteral("27"));
        QCOMPARE(model_text(window, Ctl::txtDUT_Gain), gain->text());  // the model follows
        while (gain->isUndoAvailable())
            press(window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(gain->text(), QStringLiteral("15"));
        QCOMPARE(model_text(window, Ctl::txtDUT_Gain), QStringLiteral("15"));

        type(window, QStringLiteral("3"));
        press(window, Qt::Key_Return);
        QCOMPARE(model_text(window, Ctl::txtDUT_Gain), gain->text());
        const QString committed = gain->text();
        press(window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(gain->text(), committed);  // nothing to undo after Enter
    }

    void alt_keys_open_the_menus_and_ctrl_q_exits() {
        const std::pair<Qt::Key, const char*> keys[] = {{Qt::Key_F, "mnuFile"},
                                                        {Qt::Key_O, "mnuOption"},
                                                        {Qt::Key_W, "mnuWebLinks"},
                                                        {Qt::Key_H, "mnuHelp"}};
        for (const auto& [key, menu] : keys) {
            MainWindow window;
            QVERIFY(show_active(window));
            QTest::keyClick(&window, key, Qt::AltModifier);
            QAction* active = window.menuBar()->activeAction();
            QVERIFY2(active != nullptr && active->menu()->objectName() == QLatin1String(menu),
                     qPrintable(QString::fromLatin1(menu) + " " +
                                (active ? active->menu()->objectName() : "none")));
            active->menu()->close();
        }
        MainWindow window;
        QVERIFY(show_active(window));
        // The captions stay the model's.
        QCOMPARE(window.menuBar()->actions().front()->text(), QStringLiteral("File"));
        QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(window.calculator().form.unloaded);
    }

    void alt_letters_open_tools_and_never_type_into_a_field() {
        MainWindow window;
        // The Tools menu, as the planner adds it, in front of Help.
        QMenuBar* bar = window.menuBar();
        auto* tools = new QMenu(QStringLiteral("Tools"), bar);
        tools->setObjectName(QStringLiteral("mnuTools"));
        tools->addAction(QStringLiteral("Planner..."));
        bar->insertMenu(bar->actions().back(), tools);
        QVERIFY(show_active(window));
        auto* nf = control<QLineEdit>(window, "txtDUT_NF");
        click(nf);
        QTest::keyClick(nf, Qt::Key_A, Qt::ControlModifier);
        type(window, QStringLiteral("2"));
        QCOMPARE(nf->text(), QStringLiteral("2"));

        for (Qt::Key key : {Qt::Key_E, Qt::Key_X, Qt::Key_5, Qt::Key_Backspace}) {
            press(window, key, Qt::AltModifier);
            QCOMPARE(nf->text(), QStringLiteral("2"));
            QCOMPARE(model_text(window, Ctl::txtDUT_NF), QStringLiteral("2"));
            QCOMPARE(bar->activeAction(), nullptr);
        }
        press(window, Qt::Key_T, Qt::AltModifier);
        QCOMPARE(nf->text(), QStringLiteral("2"));
        QVERIFY(bar->activeAction() != nullptr);
        QCOMPARE(bar->activeAction()->menu(), tools);
        tools->close();

        // The field kept its typing, and Enter uses what it shows.
        QCOMPARE(QApplication::focusWidget(), nf);
        press(window, Qt::Key_Return);
        QCOMPARE(window.calculator().state.DUT_NF, 2.0);
        QCOMPARE(nf->text(), QStringLiteral("2"));
    }
};

QTEST_MAIN(EditingTest)
#include "editing_test.moc"
