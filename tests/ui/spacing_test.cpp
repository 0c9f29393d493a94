// What the window keeps apart and together, measured on the pixels it
// paints: option buttons clear of the field beside them and of each other,
// the analyzer's caption clear of the box below it, the analyzer's
// uncertainty captions inside their frame, the "_" under the "+" of the
// result, and the calibration results starting in one column.
#include "ui/application_setup.h"
#include "window_fixture.h"

#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QStyleOptionButton>

using namespace orlavex;
using namespace orlavex::ui;
using namespace orlavex::ui::testing;

namespace {

QRect in_client(const MainWindow& window, const QWidget* w, const QRect& r) {
    return QRect(w->mapTo(window.client(), r.topLeft()), r.size());
}

QRect indicator_in_client(const MainWindow& window, const QRadioButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    return in_client(
        window, button,
        button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button));
}

QImage client_image(MainWindow& window) {
    return window.client()->grab().toImage();
}

// The bounding box (in client pixels) of what W paints over the window:
// the pixels that change when it is hidden.
QRect painted_by(MainWindow& window, QWidget* w) {
    const QImage with = client_image(window);
    w->hide();
    const QImage without = client_image(window);
    w->show();
    QRect box;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y)) box |= QRect(x, y, 1, 1);
    return box;
}

// The columns of the first glyph W paints: from its first painted column
// to the first empty column after it.
QRect first_glyph_painted_by(MainWindow& window, QWidget* w) {
    const QImage with = client_image(window);
    w->hide();
    const QImage without = client_image(window);
    w->show();
    const QRect area = in_client(window, w, w->rect());
    QRect glyph;
    for (int x = area.left(); x <= area.right(); ++x) {
        QRect column;
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (with.pixel(x, y) != without.pixel(x, y)) column |= QRect(x, y, 1, 1);
        if (column.isEmpty() && !glyph.isEmpty()) break;
        glyph |= column;
    }
    return glyph;
}

int differing_pixels_in(MainWindow& window, QWidget* hidden, const QRect& area) {
    const QImage with = client_image(window);
    hidden->hide();
    const QImage without = client_image(window);
    hidden->show();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y)) ++n;
    return n;
}

void choose_analyzer(MainWindow& window, const QString& model) {
    window.set_popup_chooser([model](QMenu& menu) -> QAction* {
        for (QAction* a : menu.findChildren<QAction*>())
            if (a->text() == model) return a;
        return nullptr;
    });
    click(control(window, "lblSAsel"));
}

}  // namespace

class SpacingTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { prepare_application(*qApp); }

    void option_buttons_keep_two_pixels_from_their_field_and_from_each_other() {
        MainWindow window;
        QVERIFY(show_active(window));
        QCOMPARE(window.devicePixelRatio(), 1.0);  // where one designed pixel is too little
        const std::array<std::array<const char*, 3>, 4> groups{{
            {"txtDUT_InMatch", "optDUTIn_VSWR", "optDUTIn_RL"},
            {"txtSA_InMatch", "optSA_InMatch_VSWR", "optSA_InMatch_RL"},
            {nullptr, "optDUTOut_VSWR", "optDUTOut_RL"},
            {nullptr, "optNS_Match_VSWR", "optNS_Match_RL"},
        }};
        const QImage image = client_image(window);
        for (const auto& [field_name, upper_name, lower_name] : groups) {
            const QRect upper =
                indicator_in_client(window, control<QRadioButton>(window, upper_name));
            const QRect lower =
                indicator_in_client(window, control<QRadioButton>(window, lower_name));
            QVERIFY2(lower.top() - upper.bottom() - 1 >= 2, upper_name);
            // Nothing painted in the rows between the two circles.
            const QRgb background = image.pixel(upper.right() + 1, upper.bottom() + 1);
            for (int y = upper.bottom() + 1; y < lower.top(); ++y)
                for (int x = upper.left(); x <= upper.right(); ++x)
                    QVERIFY2(image.pixel(x, y) == background, upper_name);
            if (field_name == nullptr) continue;
            QWidget* field = control(window, field_name);
            const QRect drawn_field = in_client(window, field, field->rect());
            for (const QRect& circle : {upper, lower}) {
                QVERIFY2(circle.left() - drawn_field.right() - 1 >= 2, field_name);
                for (int x = drawn_field.right() + 1; x < circle.left(); ++x)
                    for (int y = circle.top(); y <= circle.bottom(); ++y)
                        QVERIFY2(image.pixel(x, y) == background, field_name);
            }
        }
    }

    void the_analyzer_caption_stays_clear_of_the_guaranteed_noise_box() {
        MainWindow window;
        QVERIFY(show_active(window));
        choose_analyzer(window, QStringLiteral("Galder-3"));
        auto* box = control<QLabel>(window, "lblSpecNoise");
        QVERIFY(box->isVisibleTo(&window));
        QWidget* caption = control(window, "lblSA");
        QVERIFY(in_client(window, caption, caption->rect())
                    .intersects(in_client(window, box, box->rect())));  // as designed
        // The caption's "y" paints nothing into the box.
        QCOMPARE(differing_pixels_in(window, caption, in_client(window, box, box->rect())), 0);
        const QRect painted = painted_by(window, caption);
        QVERIFY(painted.height() >= 12);  // "Analyzer", descender included
    }

    void the_analyzer_uncertainties_lie_below_the_frame_border_without_a_patch() {
        MainWindow window;
        QVERIFY(show_active(window));
        window.findChild<QAction*>("mnuSA_Unc")->trigger();  // shows them
        auto* caption = control<QLabel>(window, "Label41");
        QVERIFY(caption->isVisibleTo(&window));
        QWidget* frame = control(window, "frmSA");
        // The frame's top border: the first row darker than the window at the
        // frame's right end, where no control and no title lie.
        const QImage image = client_image(window);
        const QRect drawn_frame = in_client(window, frame, frame->rect());
        const int x = drawn_frame.right() - 6;
        const int window_grey = qGray(image.pixel(x, drawn_frame.top()));
        int border = drawn_frame.top();
        while (border < drawn_frame.bottom() && qGray(image.pixel(x, border)) > window_grey - 12)
            ++border;
        QVERIFY(border > drawn_frame.top() && border < drawn_frame.top() + 40);
        // The caption's letters start below the border, and the caption
        // covers neither the border nor the window with a patch of its own:
        // it lightens no pixel (a fill over the border line) and tints only
        // the few pixels at the soft edges of its letters, not whole rows (a
        // fill of the frame's grey over the window).
        const QRect letters = painted_by(window, caption);
        QVERIFY(!letters.isEmpty());
        const QImage with = client_image(window);
        caption->hide();
        const QImage without = client_image(window);
        caption->show();
        int lightened = 0;
        int tinted = 0;
        for (int y = letters.top(); y <= letters.bottom(); ++y) {
            for (int x = letters.left(); x <= letters.right(); ++x) {
                const int change = qGray(with.pixel(x, y)) - qGray(without.pixel(x, y));
                if (change > 0) ++lightened;
                if (change < 0 && change > -5) ++tinted;
            }
        }
        QCOMPARE(lightened, 0);
        QVERIFY2(tinted < letters.width(), QByteArray::number(tinted));
        QVERIFY2(letters.top() > border + 1,
                 qPrintable(QString("%1 %2").arg(letters.top()).arg(border)));
    }

    void the_minus_line_lies_centred_under_the_plus() {
        MainWindow window;
        QVERIFY(show_active(window));
        for (int placement = 0; placement < 2; ++placement) {
            // With the second-stage correction on (start-up), then off.
            if (placement == 1) window.findChild<QAction*>("mnu2ndStage")->trigger();
            auto* result = control<QLabel>(window, "lblNF_unc");
            auto* line = control<QLabel>(window, "linMinus");
            QVERIFY(result->text().startsWith(QLatin1Char('+')));
            QVERIFY(line->isVisibleTo(&window));
            const QRect plus = first_glyph_painted_by(window, result);
            const QRect minus = painted_by(window, line);
            QVERIFY(!plus.isEmpty() && !minus.isEmpty());
            QVERIFY(minus.top() > plus.bottom() - 2);  // below it
            const double off =
                (minus.left() + minus.right()) / 2.0 - (plus.left() + plus.right()) / 2.0;
            QVERIFY2(std::abs(off) <= 1.0,
                     qPrintable(QString("placement %1: %2 px, + %3-%4, _ %5-%6")
                                    .arg(placement)
                                    .arg(off)
                                    .arg(plus.left())
                                    .arg(plus.right())
                                    .arg(minus.left())
                                    .arg(minus.right())));
        }
    }

    void the_calibration_results_start_in_one_column() {
        MainWindow window;
        QVERIFY(show_active(window));
        window.findChild<QAction*>("mnuShowManMeas")->trigger();
        const QRect nfsa = painted_by(window, control(window, "lblNFsa"));
        const QRect ycal = painted_by(window, control(window, "lblYcal"));
        QVERIFY(!nfsa.isEmpty() && !ycal.isEmpty());
        // "N" and "Y" differ by their side bearings only.
        QVERIFY2(std::abs(nfsa.left() - ycal.left()) <= 1,
                 qPrintable(QString("%1 %2").arg(nfsa.left()).arg(ycal.left())));
        QCOMPARE(control(window, "lblNFsa")->x(), control(window, "lblYcal")->x());
    }
};

QTEST_MAIN(SpacingTest)
#include "spacing_test.moc"
