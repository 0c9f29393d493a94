// Typing, keys and focus in the real window: each event reaches the model
// exactly as the headless driver delivers it.
#include "ui/window_widgets.h"
#include "window/entry_fields.h"
#include "window/handlers.h"
#include "window/user_actions.h"
#include "window_fixture.h"

#include <QCheckBox>

using namespace orlavex;
using namespace orlavex::ui;
using namespace orlavex::ui::testing;

class KeyboardTest : public QObject {
    Q_OBJECT

  private:
    // The control after FROM in the tab order that can take the focus now.
    static Ctl next_focus(const Calculator& calc, Ctl from) {
        const auto order = tab_order();
        auto at = std::find(order.begin(), order.end(), from);
        for (std::size_t step = 1; step < order.size(); ++step) {
            const Ctl next = order[(std::size_t(at - order.begin()) + step) % order.size()];
            if (can_take_focus(calc.form, next)) return next;
        }
        return Ctl::none;
    }

  private slots:
    void typing_and_tab_recalculate_and_move_on() {
        MainWindow window;
        QVERIFY(show_active(window));
        auto* gain = control<QLineEdit>(window, "txtDUT_Gain");
        const QString level_before = control<QLineEdit>(window, "txtMeasON")->text();

        click(gain);
        QCOMPARE(QApplication::focusWidget(), gain);
        QCOMPARE(gain->selectedText(), QStringLiteral("15"));  // the whole text, ready to replace
        type(window, QStringLiteral("20"));
        QCOMPARE(gain->text(), QStringLiteral("20"));
        QCOMPARE(window.calculator().state.DUT_Gain, 15.0);  // not yet recalculated
        press(window, Qt::Key_Tab);

        QCOMPARE(window.calculator().state.DUT_Gain, 20.0);
        const Ctl expected = next_focus(window.calculator(), Ctl::txtDUT_Gain);
        QCOMPARE(window.calculator().form.focus, expected);
        QCOMPARE(QApplication::focusWidget()->objectName().toStdString(),
                 std::string(layout_row(expected).name));
        QVERIFY(control<QLineEdit>(window, "txtMeasON")->text() != level_before);
    }

    void the_window_shows_what_the_model_computes_for_the_same_keys() {
        MainWindow window;
        QVERIFY(show_active(window));
        click(control(window, "txtENR"));
        type(window, QStringLiteral("6.5"));
        press(window, Qt::Key_Return);
        press(window, Qt::Key_PageUp, Qt::ShiftModifier);

        Calculator model = make_calculator();
        Form_Load(model);
        focus_control(model, Ctl::txtENR);
        for (char c : std::string("6.5"))
            type_character(model, c);
        press_key(model, key::enter, 0);
        press_key(model, key::page_up, shift_mask);

        for (const ControlRow& row : layout) {
            if (row.kind != Kind::Field && row.kind != Kind::Label) continue;
            if (window_of(row.id) != Ctl::frmNFCalc) continue;
            QWidget* widget = control(window, std::string(row.name).c_str());
            if (widget == nullptr || row.index >= 0) continue;
            const QString expected =
                QString::fromStdString(model.form[row.id].text).replace("\r\n", "\n");
            QVERIFY2(shown_text(widget) == expected, row.name.data());
        }
        QCOMPARE(control<QLineEdit>(window, "txtENR")->text(), QStringLiteral("7.5"));
    }

    void refused_characters_never_reach_the_field() {
        MainWindow window;
        QVERIFY(show_active(window));
        auto* nf = control<QLineEdit>(window, "txtDUT_NF");
        click(nf);
        press(window, Qt::Key_End);
        type(window, QStringLiteral("-x;/ e"));
        QCOMPARE(nf->text(), QStringLiteral("8"));
        type(window, QStringLiteral(",5"));  // either separator is taken
        QCOMPARE(nf->text(), QStringLiteral("8,5"));
        type(window, QStringLiteral("."));
        QCOMPARE(nf->text(), QStringLiteral("8,5"));
        press(window, Qt::Key_Return);
        QCOMPARE(window.calculator().state.DUT_NF, 8.5);

        auto* gain = control<QLineEdit>(window, "txtDUT_Gain");
        click(gain);
        press(window, Qt::Key_Home);
        type(window, QStringLiteral("-"));
        QCOMPARE(gain->text(), QStringLiteral("-15"));
        type(window, QStringLiteral("-"));
        QCOMPARE(gain->text(), QStringLiteral("-15"));
    }

    void page_up_and_arrows_step_the_focused_field() {
        MainWindow window;
        QVERIFY(show_active(window));
        auto* enr = control<QLineEdit>(window, "txtENR");
        click(enr);
        press(window, Qt::Key_PageUp);
        QCOMPARE(enr->text(), QStringLiteral("15.1"));
        QCOMPARE(window.calculator().state.ENR, 15.1);
        press(window, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(enr->text(), QStringLiteral("16.1"));
        press(window, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(enr->text(), QStringLiteral("16.09"));
        QCOMPARE(QApplication::focusWidget(), enr);
    }

    void a_click_on_a_check_box_recalculates_the_field_first() {
        MainWindow window;
        QVERIFY(show_active(window));
        click(control(window, "txtDUT_Gain"));
        type(window, QStringLiteral("25"));
        auto* ext_pa = control<QCheckBox>(window, "chkExtPA");
        click(ext_pa);
        QCOMPARE(window.calculator().state.DUT_Gain, 25.0);
        QVERIFY(ext_pa->isChecked());
        QCOMPARE(window.calculator().form[Ctl::chkExtPA].value, 1);
        QCOMPARE(control<QLineEdit>(window, "txtDUT_Gain")->text(), QStringLiteral("25"));
    }

    void space_ticks_the_focused_check_box_once() {
        MainWindow window;
        QVERIFY(show_active(window));
        auto* freq_conv = control<QCheckBox>(window, "chkFreqConv");
        click(freq_conv);
        QVERIFY(freq_conv->isChecked());
        type(window, QStringLiteral(" "));
        QVERIFY(!freq_conv->isChecked());
        QCOMPARE(window.calculator().form[Ctl::chkFreqConv].value, 0);
    }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
