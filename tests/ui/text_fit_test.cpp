// Every caption fits its rectangle in the fonts the window draws with, in
// every state a user can bring the window into: the start-up, the manual
// measurement, the other entry forms and every catalogue choice.
#include "ui/modal_dialog.h"
#include "ui/wrapping_check_box.h"
#include "window_fixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QTimer>

using namespace orlavex;
using namespace orlavex::ui;
using namespace orlavex::ui::testing;

namespace {

int text_width(const QWidget* w, const QString& text) {
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, w->fontMetrics().horizontalAdvance(line));
    return widest;
}

// Whether TEXT word-wrapped into AREA stays inside it.
bool wraps_into(const QWidget* w, const QRect& area, const QString& text) {
    for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+"))))
        if (w->fontMetrics().horizontalAdvance(word) > area.width()) return false;
    const QRect needed =
        w->fontMetrics().boundingRect(QRect(0, 0, area.width(), 10000), Qt::TextWordWrap, text);
    return needed.height() <= area.height() + 1;
}

// Why W's caption does not fit, or empty.
QString misfit(const QWidget* w) {
    if (!w->isVisibleTo(w->window())) return {};
    const QString name = w->objectName();
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        const QRect area = label->contentsRect().adjusted(label->indent(), 0, 0, 0);
        if (label->text().isEmpty()) return {};
        const bool fits = label->wordWrap() ? wraps_into(w, area, label->text())
                                            : text_width(w, label->text()) <= area.width();
        return fits ? QString() : name + QStringLiteral(": \"") + label->text() + '"';
    }
    if (const auto* box = dynamic_cast<const WrappingCheckBox*>(w)) {
        return wraps_into(w, box->caption_rect(), box->text()) ? QString() : name;
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        int room = button->width();
        if (qobject_cast<const QPushButton*>(w) != nullptr) {
            room -= 2 * w->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, w);
        } else {
            const bool radio = qobject_cast<const QRadioButton*>(w) != nullptr;
            room = w->style()
                       ->subElementRect(
                           radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents,
                           &option, w)
                       .width();
        }
        const bool fits = text_width(w, button->text()) <= room;
        return fits ? QString() : name + QStringLiteral(": \"") + button->text() + '"';
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(w)) {
        const bool fits = text_width(w, frame->title()) + 8 <= frame->width();
        return fits ? QString() : name;
    }
    return {};
}

QStringList misfits(const QWidget& window) {
    QStringList all;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (QString why = misfit(w); !why.isEmpty()) all << why;
    }
    return all;
}

void choose(MainWindow& window, const char* opener, const QString& item) {
    window.set_popup_chooser([&](QMenu& menu) { return menu.findChild<QAction*>(item); });
    click(control(window, opener));
}

// Names the menu items of the catalogue pop-up OPENER offers.
QStringList catalogue_items(MainWindow& window, const char* opener) {
    QStringList names;
    window.set_popup_chooser([&](QMenu& menu) -> QAction* {
        for (const QAction* a : menu.findChildren<QAction*>())
            if (!a->isSeparator() && a->menu() == nullptr && !a->objectName().isEmpty())
                names << a->objectName();
        return nullptr;
    });
    click(control(window, opener));
    return names;
}

}  // namespace

class TextFitTest : public QObject {
    Q_OBJECT

  private slots:
    void captions_fit_at_start_up() {
        MainWindow window;
        QVERIFY(show_active(window));
        QVERIFY2(misfits(window).isEmpty(), qPrintable(misfits(window).join("; ")));
    }

    void captions_fit_in_the_manual_measurement_and_the_other_forms() {
        MainWindow window;
        QVERIFY(show_active(window));
        window.findChild<QAction*>("mnuShowManMeas")->trigger();
        click(control(window, "chkUseManMeas"));
        for (const char* option : {"optNS_Match_RL", "optDUTIn_RL", "optDUTOut_RL",
                                   "optSA_InMatch_RL", "optSA_Noise_DANL"}) {
            if (QWidget* w = control(window, option)) click(w);
        }
        window.findChild<QAction*>("mnu2ndStage")->trigger();
        click(control(window, "chkFreqConv"));
        click(control(window, "chkExtPA"));
        QVERIFY2(misfits(window).isEmpty(), qPrintable(misfits(window).join("; ")));
    }

    void every_catalogue_choice_fits() {
        MainWindow window;
        QVERIFY(show_active(window));
        const QStringList analyzers = catalogue_items(window, "lblSAsel");
        const QStringList sources = catalogue_items(window, "lblNSsel");
        QCOMPARE(analyzers.size(), 70);  // User Defined and 69 models
        QCOMPARE(sources.size(), 23);
        for (const QString& item : analyzers) {
            choose(window, "lblSAsel", item);
            QVERIFY2(misfits(window).isEmpty(), qPrintable(misfits(window).join("; ")));
        }
        for (const QString& item : sources) {
            choose(window, "lblNSsel", item);
            QVERIFY2(misfits(window).isEmpty(), qPrintable(misfits(window).join("; ")));
        }
    }

    void the_about_and_hints_texts_fit() {
        for (const char* item : {"mnuAbout", "mnuHints"}) {
            MainWindow window;
            QVERIFY(show_active(window));
            QStringList found;
            bool shown = false;
            QTimer::singleShot(0, &window, [&] {
                if (window.open_dialog() == nullptr) return;
                shown = true;
                found = misfits(*window.open_dialog());
                QTest::keyClick(window.open_dialog(), Qt::Key_Escape);
            });
            window.findChild<QAction*>(item)->trigger();
            QVERIFY(shown);
            QVERIFY2(found.isEmpty(), qPrintable(found.join("; ")));
        }
    }
};

QTEST_MAIN(TextFitTest)
#include "text_fit_test.moc"
