// The menu bar, the pop-up menus and the web links of the real window.
#include "ui/menus.h"
#include "ui/twips.h"
#include "ui/window_widgets.h"
#include "window_fixture.h"

#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QLabel>

using namespace orlavex;
using namespace orlavex::ui;
using namespace orlavex::ui::testing;

namespace {

// Whether ITEM sits under one of the menu bar's menus (not a pop-up).
bool on_menu_bar(Ctl item) {
    Ctl top = layout_row(item).parent;
    while (layout_row(top).parent != Ctl::frmNFCalc)
        top = layout_row(top).parent;
    return (layout_row(top).flags & Popup) == 0;
}

QString caption(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("&"), QStringLiteral("&&"));
}

}  // namespace

class MenusTest : public QObject {
    Q_OBJECT

  private slots:
    void the_window_has_its_caption_icon_and_fixed_size() {
        MainWindow window;
        QVERIFY(show_active(window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Korvanti Orlavex 3.30"));
        // Every size a desktop asks for is there and drawn: a PNG missing
        // from the resources would leave a null pixmap, a blank one no ink.
        const QIcon icon = window.windowIcon();
        QCOMPARE(icon.availableSizes().size(), 6);
        for (int size : {16, 32, 128}) {
            const QImage image = icon.pixmap(QSize(size, size), 1.0).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            const QRgb centre = image.pixel(size / 2, size / 2);
            QVERIFY(qAlpha(centre) > 0);
        }
        QCOMPARE(window.client()->width(), 12120 / 15);
        QCOMPARE(window.minimumSize(), window.maximumSize());  // no resizing
        QVERIFY(window.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    void the_menu_bar_has_its_four_menus_in_order() {
        MainWindow window;
        QStringList titles;
        for (QAction* menu : window.menuBar()->actions())
            titles << menu->text();
        QCOMPARE(titles, (QStringList{"File", "Option", "Web", "Help"}));
    }

    void every_item_exists_with_its_caption_and_start_check_mark() {
        MainWindow window;
        const Form& form = window.calculator().form;
        int items = 0;
        for (const ControlRow& row : layout) {
            if (row.kind != Kind::Item || window_of(row.id) != Ctl::frmNFCalc) continue;
            if (!on_menu_bar(row.id)) continue;
            auto* action = window.findChild<QAction*>(menu_object_name(row.id));
            QVERIFY2(action != nullptr, qPrintable(menu_object_name(row.id)));
            if (!action->isSeparator()) QCOMPARE(action->text(), caption(form[row.id].text));
            QCOMPARE(action->isChecked(), form[row.id].checked);
            QCOMPARE(action->isVisible(), form[row.id].visible);
            ++items;
        }
        QVERIFY(items >= 15);
        // The start states a user sees first.
        QCOMPARE(window.findChild<QAction*>("mnu2ndStage")->isChecked(), true);
        QCOMPARE(window.findChild<QAction*>("mnuShowManMeas")->isChecked(), false);
    }

    void a_menu_item_changes_the_window() {
        MainWindow window;
        QVERIFY(show_active(window));
        const int compact = window.client()->height();
        QCOMPARE(compact, (5480 - 720) / 15);
        window.findChild<QAction*>("mnuShowManMeas")->trigger();
        QVERIFY(window.findChild<QAction*>("mnuShowManMeas")->isChecked());
        QVERIFY(control(window, "frmCal")->isVisibleTo(&window));
        QVERIFY(control(window, "frmMeas")->isVisibleTo(&window));
        QCOMPARE(window.client()->height(), (7010 - 720) / 15);
        QTRY_VERIFY(window.height() > window.client()->height());
        window.findChild<QAction*>("mnuShowManMeas")->trigger();
        QCOMPARE(window.client()->height(), compact);
    }

    void the_second_stage_switch_moves_the_uncertainty_result() {
        MainWindow window;
        QVERIFY(show_active(window));
        auto* result = control<QLabel>(window, "lblNF_unc");
        const QPoint before = result->pos();
        const int size_before = result->font().pixelSize();
        window.findChild<QAction*>("mnu2ndStage")->trigger();
        const Control& now = window.calculator().form[Ctl::lblNF_unc];
        QCOMPARE(result->pos(), QPoint(pixels(now.left), pixels(now.top)));
        QVERIFY(result->pos() != before || result->font().pixelSize() != size_before);
        QVERIFY(!window.findChild<QAction*>("mnu2ndStage")->isChecked());
        window.findChild<QAction*>("mnu2ndStage")->trigger();
        QCOMPARE(result->pos(), before);
        QCOMPARE(result->font().pixelSize(), size_before);
    }

    void the_analyzer_pop_up_offers_the_catalogue_and_chooses_from_it() {
        MainWindow window;
        QVERIFY(show_active(window));
        QStringList offered;
        window.set_popup_chooser([&](QMenu& menu) -> QAction* {
            for (QAction* a : menu.actions())
                offered << a->text();
            return menu.findChild<QAction*>("mnuAravel(0)");
        });
        click(control(window, "lblSAsel"));
        QCOMPARE(offered.size(), 17);  // User Defined and the 16 families
        QCOMPARE(offered.front(), QStringLiteral("User Defined"));
        const std::string chosen = window.calculator().form[Ctl::lblSAsel].text;
        QCOMPARE(chosen, window.calculator().form[Ctl::mnuAravel].text);
        QVERIFY(window.calculator().form[Ctl::mnuAravel].checked);
        QCOMPARE(control<QLabel>(window, "lblSAsel")->text().toStdString(), chosen);
        QVERIFY(!control(window, "txtSA_Noise")->isEnabled());  // catalogue values are locked
    }

    void a_pop_up_does_not_take_the_focus_from_the_field() {
        MainWindow window;
        QVERIFY(show_active(window));
        auto* gain = control<QLineEdit>(window, "txtDUT_Gain");
        click(gain);
        QTest::keyClicks(gain, QStringLiteral("20"));
        window.set_popup_chooser([](QMenu&) -> QAction* { return nullptr; });
        click(control(window, "lblSAsel"));
        // Not left, so not yet recalculated; the user goes on typing.
        QCOMPARE(window.calculator().form.focus, Ctl::txtDUT_Gain);
        QCOMPARE(window.calculator().state.DUT_Gain, 15.0);
        QCOMPARE(gain->text(), QStringLiteral("20"));
    }

    void a_dismissed_pop_up_changes_nothing() {
        MainWindow window;
        QVERIFY(show_active(window));
        const auto before = snapshot(window);
        window.set_popup_chooser([](QMenu&) -> QAction* { return nullptr; });
        click(control(window, "lblNSsel"));
        QVERIFY(snapshot(window) == before);
        QCOMPARE(window.calculator().form.popup, Ctl::none);
    }

    void the_resolution_pop_up_changes_the_shown_uncertainty() {
        MainWindow window;
        QVERIFY(show_active(window));
        window.set_popup_chooser(
            [](QMenu& menu) -> QAction* { return menu.findChild<QAction*>("mnuRes(3)"); });
        click(control(window, "lblNF_unc"));
        QVERIFY(window.calculator().form[Ctl::mnuRes_3].checked);
        QCOMPARE(control<QLabel>(window, "lblNF_unc")->text().toStdString(),
                 window.calculator().form[Ctl::lblNF_unc].text);
    }

    void every_web_item_opens_its_address_and_shipped_documents_exist() {
        MainWindow window;
        window.set_document_folder(DocumentFolder({QStringLiteral(ORLAVEX_DOC_DIR)}));
        QList<QUrl> opened;
        window.set_url_opener([&](const QUrl& url) { opened << url; });
        int web_items = 0;
        for (const ControlRow& row : layout) {
            if (row.name != "mnuWeb" || row.index < 0) continue;
            window.findChild<QAction*>(menu_object_name(row.id))->trigger();
            ++web_items;
        }
        QCOMPARE(web_items, 6);
        QCOMPARE(opened.size(), 6);
        int local = 0;
        for (const QUrl& url : opened) {
            if (url.isLocalFile()) {
                QVERIFY2(QFileInfo::exists(url.toLocalFile()), qPrintable(url.toString()));
                ++local;
            } else {
                QCOMPARE(url.scheme(), QStringLiteral("https"));
            }
        }
        QCOMPARE(local, 2);  // the maker's page and the application note ship with the program
    }
};

QTEST_MAIN(MenusTest)
#include "menus_test.moc"
