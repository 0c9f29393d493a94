// Mouse buttons other than the left one, sent through Qt's event system to
// the real window: they never click a control. On a control with a release
// handler they run that handler and change nothing else, as the window
// model's own release does.
#include "drive/json_dump.h"
#include "ui/application_setup.h"
#include "window/dispatch.h"
#include "window/user_actions.h"
#include "window_fixture.h"

#include <QMenu>

using namespace orlavex;
using namespace orlavex::ui;
using namespace orlavex::ui::testing;

namespace {

// A model whose internal preamplifier offers two options: ticking its box
// asks which one is fitted.
const QString analyzer_with_preamp_options = QStringLiteral("Galder-3");

// Picks the item named ITEM from the next pop-up menu.
void choose_next(MainWindow& window, const QString& item) {
    window.set_popup_chooser([item](QMenu& menu) -> QAction* {
        for (QAction* a : menu.findChildren<QAction*>())
            if (a->text() == item || item.isEmpty()) return a;
        return nullptr;
    });
}

enum class Setup { start_up, preamp_box_clear, preamp_box_ticked };

void prepare(MainWindow& window, Setup setup) {
    if (setup == Setup::start_up) return;
    choose_next(window, analyzer_with_preamp_options);
    click(control(window, "lblSAsel"));
    if (setup == Setup::preamp_box_ticked) {
        choose_next(window, QString());  // the first preamp option
        click(control(window, "chkIntPA"));
    }
}

std::vector<Ctl> controls_with_release_handlers(const MainWindow& window) {
    std::vector<Ctl> found;
    for (Ctl id : window.widgets().controls)
        if (find_handler(id, Event::MouseUp) != nullptr) found.push_back(id);
    return found;
}

}  // namespace

class MouseButtonsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { prepare_application(*qApp); }

    void other_buttons_only_release_data() {
        QTest::addColumn<int>("setup");
        QTest::addColumn<int>("button");
        const std::pair<const char*, Setup> setups[] = {
            {"start-up", Setup::start_up},
            {"preamp options, box clear", Setup::preamp_box_clear},
            {"preamp options, box ticked", Setup::preamp_box_ticked}};
        for (const auto& [name, setup] : setups) {
            QTest::addRow("%s, right", name) << int(setup) << int(Qt::RightButton);
            QTest::addRow("%s, middle", name) << int(setup) << int(Qt::MiddleButton);
        }
    }

    void other_buttons_only_release() {
        QFETCH(int, setup);
        QFETCH(int, button);
        MainWindow probe;
        const std::vector<Ctl> released = controls_with_release_handlers(probe);
        QVERIFY(released.size() >= 6);
        std::size_t reached = 0;
        for (Ctl id : released) {
            const std::string name(layout_row(id).name);
            MainWindow window;
            QVERIFY(show_active(window));
            prepare(window, static_cast<Setup>(setup));
            QWidget* widget = window.widgets()[id];
            if (!widget->isVisible() || !widget->isEnabled()) continue;  // no mouse reaches it
            ++reached;

            Calculator expected = window.calculator();
            find_handler(id, Event::MouseUp)(expected, id);
            settle_focus(expected);
            const Ctl expected_popup = expected.form.popup;
            expected.form.popup = Ctl::none;  // the window shows it and it is dismissed

            QString popup_shown = QStringLiteral("none");
            window.set_popup_chooser([&popup_shown](QMenu& menu) -> QAction* {
                popup_shown = menu.objectName();
                return nullptr;
            });
            const auto mouse_button = static_cast<Qt::MouseButton>(button);
            const QPoint centre = widget->rect().center();
            QTest::mousePress(widget, mouse_button, Qt::NoModifier, centre);
            QTest::mouseRelease(widget, mouse_button, Qt::NoModifier, centre);

            QCOMPARE(popup_shown, expected_popup == Ctl::none
                                      ? QStringLiteral("none")
                                      : QString::fromLatin1(layout_row(expected_popup).name));
            QVERIFY2(dump_json(window.calculator()) == dump_json(expected), name.c_str());
        }
        QVERIFY(reached >= released.size() - 1);
    }

    // The left button still clicks: the box is ticked and asks for the
    // preamp option.
    void the_left_button_clicks() {
        MainWindow window;
        QVERIFY(show_active(window));
        prepare(window, Setup::preamp_box_clear);
        QString popup_shown;
        window.set_popup_chooser([&popup_shown](QMenu& menu) -> QAction* {
            popup_shown = menu.objectName();
            return nullptr;
        });
        click(control(window, "chkIntPA"));
        QCOMPARE(window.calculator().form[Ctl::chkIntPA].value, 1);
        QCOMPARE(popup_shown, QStringLiteral("mnuIntPAsel"));
    }
};

QTEST_MAIN(MouseButtonsTest)
#include "mouse_buttons_test.moc"
