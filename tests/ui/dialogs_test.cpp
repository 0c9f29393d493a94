// The About and hints windows: modal, fixed in size, closed by Enter, Esc
// or their button, and leaving the main window as it was.
#include "ui/modal_dialog.h"
#include "window_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <functional>

using namespace orlavex;
using namespace orlavex::ui;
using namespace orlavex::ui::testing;

namespace {

// Triggers menu item ITEM, which opens a modal window, and runs WHILE_OPEN
// on that window as soon as it shows.
void open_modal(MainWindow& window, const char* item,
                std::function<void(ModalDialog&)> while_open) {
    bool ran = false;
    QTimer::singleShot(0, &window, [&] {
        ModalDialog* dialog = window.open_dialog();
        if (dialog == nullptr) return;
        ran = true;
        while_open(*dialog);
    });
    window.findChild<QAction*>(item)->trigger();
    QVERIFY2(ran, item);
    QVERIFY(window.open_dialog() == nullptr);
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void about_shows_its_texts_and_escape_closes_it() {
        MainWindow window;
        QVERIFY(show_active(window));
        click(control(window, "txtDUT_NF"));
        const auto before = snapshot(window);
        QSize size;
        QString title;
        bool modal = false;
        open_modal(window, "mnuAbout", [&](ModalDialog& about) {
            size = about.size();
            title = control<QLabel>(about, "lblTitle")->text();
            modal = about.isModal();
            QTest::keyClick(&about, Qt::Key_Escape);
        });
        QCOMPARE(size, QSize(layout_row(Ctl::frmAbout).rect.width / 15,
                             layout_row(Ctl::frmAbout).rect.height / 15));
        QVERIFY(modal);
        QCOMPARE(title.toStdString(), window.calculator().form[Ctl::lblTitle].text);
        QVERIFY(!title.isEmpty());
        QVERIFY(snapshot(window) == before);
        QCOMPARE(window.focusWidget(), control(window, "txtDUT_NF"));
    }

    void enter_closes_about_and_its_terms_link_opens_the_terms() {
        MainWindow window;
        window.set_document_folder(DocumentFolder({QStringLiteral(ORLAVEX_DOC_DIR)}));
        QList<QUrl> opened;
        window.set_url_opener([&](const QUrl& url) { opened << url; });
        QVERIFY(show_active(window));
        const auto before = snapshot(window);
        bool still_open_after_link = false;
        open_modal(window, "mnuAbout", [&](ModalDialog& about) {
            click(control(about, "lblTermsLink"));
            still_open_after_link = window.open_dialog() == &about;
            QTest::keyClick(&about, Qt::Key_Return);
        });
        QVERIFY(still_open_after_link);
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened.front().toLocalFile().endsWith(QStringLiteral("terms-of-use.html")));
        QVERIFY(snapshot(window) == before);
    }

    void the_hints_window_closes_with_its_button() {
        MainWindow window;
        QVERIFY(show_active(window));
        const auto before = snapshot(window);
        int labels = 0;
        open_modal(window, "mnuHints", [&](ModalDialog& hints) {
            for (QLabel* label : hints.findChildren<QLabel*>())
                labels += !label->text().isEmpty();
            click(control<QPushButton>(hints, "OKButton"));
        });
        QVERIFY(labels >= 10);
        QVERIFY(snapshot(window) == before);
        QCOMPARE(window.calculator().form.dialog, Ctl::none);
    }

    void keys_in_an_open_modal_window_do_not_reach_the_calculator() {
        MainWindow window;
        QVERIFY(show_active(window));
        click(control(window, "txtENR"));
        open_modal(window, "mnuAbout", [&](ModalDialog& about) {
            QTest::keyClick(&about, Qt::Key_PageUp);
            QTest::keyClicks(&about, QStringLiteral("7"));
            QTest::keyClick(&about, Qt::Key_Escape);
        });
        QCOMPARE(control<QLineEdit>(window, "txtENR")->text(), QStringLiteral("15"));
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
