// What the window looks like, measured on its widgets' geometry and on the
// pixels it paints: whole indicators, no patches behind labels, whole
// captions in the manual frames, an error message that neither hides the
// logo nor drowns in it, and a selection only in the focused field.
#include "ui/application_setup.h"
#include "ui/colours.h"
#include "ui/fonts.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QStyleOptionButton>

using namespace orlavex;
using namespace orlavex::ui;
using namespace orlavex::ui::testing;

namespace {

// The rectangle the style draws BUTTON's indicator in, in BUTTON's coordinates.
QRect indicator_rect(const QAbstractButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    const bool radio = qobject_cast<const QRadioButton*>(button) != nullptr;
    return button->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &option, button);
}

QList<QAbstractButton*> shown_indicators(const QWidget& window) {
    QList<QAbstractButton*> shown;
    for (QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
        const bool indicator =
            qobject_cast<QCheckBox*>(b) != nullptr || qobject_cast<QRadioButton*>(b) != nullptr;
        if (indicator && b->isVisibleTo(&window)) shown << b;
    }
    return shown;
}

QImage client_image(MainWindow& window) {
    return window.client()->grab().toImage();
}

QRect in_client(const MainWindow& window, const QWidget* w, const QRect& r) {
    return QRect(w->mapTo(window.client(), r.topLeft()), r.size());
}

// The rectangle a label's text covers, in the label's coordinates.
QRect text_rect(const QLabel* label) {
    const QRect room = label->contentsRect().adjusted(qMax(label->indent(), 0), 0, 0, 0);
    const int flags = int(label->alignment()) | (label->wordWrap() ? int(Qt::TextWordWrap) : 0);
    return label->fontMetrics().boundingRect(room, flags, label->text()).adjusted(-2, -2, 2, 2);
}

// Pixels of W, outside the rectangles KEEP (in W's coordinates), that
// differ between the window with W and without it: a control that lets its
// frame show through, or fills with just the frame's colour, has none.
int background_pixels(MainWindow& window, QWidget* w, const QList<QRect>& keep) {
    const QImage with = client_image(window);
    w->hide();
    const QImage without = client_image(window);
    w->show();
    const QRect area = in_client(window, w, w->rect());
    int differing = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QPoint inside = QPoint(x, y) - area.topLeft();
            const bool kept = std::any_of(keep.begin(), keep.end(),
                                          [&](const QRect& r) { return r.contains(inside); });
            if (!kept && with.pixel(x, y) != without.pixel(x, y)) ++differing;
        }
    }
    return differing;
}

// The same for a label, outside its text and its border, if it has one.
int background_pixels(MainWindow& window, QLabel* label) {
    const int b = label->frameWidth();
    const int w = label->width();
    const int h = label->height();
    return background_pixels(window, label,
                             {text_rect(label), QRect(0, 0, w, b), QRect(0, h - b, w, b),
                              QRect(0, 0, b, h), QRect(w - b, 0, b, h)});
}

void show_manual_frames(MainWindow& window) {
    window.findChild<QAction*>("mnuShowManMeas")->trigger();
    QWidget* manual = control(window, "chkUseManMeas");
    QTest::mouseClick(manual, Qt::LeftButton, Qt::NoModifier, QPoint(4, manual->height() / 2));
}

bool is_red(QRgb p) {
    return qRed(p) > 150 && qGreen(p) < 110 && qBlue(p) < 110;
}
bool is_dark(QRgb p) {
    return !is_red(p) && qGray(p) < 100;
}

QStringList fields_with_selection(const MainWindow& window) {
    QStringList selected;
    for (const QLineEdit* f : window.findChildren<QLineEdit*>())
        if (f->hasSelectedText()) selected << f->objectName();
    return selected;
}

}  // namespace

class AppearanceTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { prepare_application(*qApp); }

    void every_indicator_shows_whole_and_apart_from_the_next() {
        MainWindow window;
        QVERIFY(show_active(window));
        show_manual_frames(window);
        const QList<QAbstractButton*> buttons = shown_indicators(window);
        QVERIFY(buttons.size() >= 14);
        for (QAbstractButton* b : buttons) {
            const QRect indicator = indicator_rect(b);
            QVERIFY2(b->rect().contains(indicator), qPrintable(b->objectName()));
            // A free row below it: the next control's indicator does not touch it.
            QVERIFY2(indicator.bottom() < b->height() - 1, qPrintable(b->objectName()));
        }
        for (QAbstractButton* a : buttons) {
            const QRect ra = in_client(window, a, indicator_rect(a)).adjusted(0, 0, 1, 1);
            for (QAbstractButton* b : buttons) {
                if (a == b) continue;
                const QRect rb = in_client(window, b, indicator_rect(b));
                QVERIFY2(!ra.intersects(rb), qPrintable(a->objectName() + " " + b->objectName()));
            }
        }
        // Pixels: the circle of "RL (dB)" closes above the option's last row.
        auto* rl = control<QRadioButton>(window, "optNS_Match_RL");
        const QImage image = client_image(window);
        const QRect circle = in_client(window, rl, indicator_rect(rl));
        const QRgb frame =
            image.pixel(circle.right() + 1, in_client(window, rl, rl->rect()).bottom());
        int outline = 0;
        for (int x = circle.left(); x <= circle.right(); ++x)
            if (qGray(image.pixel(x, circle.bottom())) < qGray(frame) - 40) ++outline;
        const int last_row = in_client(window, rl, rl->rect()).bottom();
        int cut = 0;
        for (int x = circle.left(); x <= circle.right(); ++x)
            if (qGray(image.pixel(x, last_row)) < qGray(frame) - 40) ++cut;
        QVERIFY(outline > 0 || circle.bottom() < last_row);
        QCOMPARE(cut, 0);
    }

    void labels_groups_and_buttons_show_no_patch_on_their_frame() {
        MainWindow window;
        QVERIFY(show_active(window));
        show_manual_frames(window);
        const Form& form = window.calculator().form;
        int labels = 0;
        int groups = 0;
        int buttons = 0;
        int fields = 0;
        for (QWidget* w : window.client()->findChildren<QWidget*>()) {
            const Ctl id = window.widgets().find(w);
            if (id == Ctl::none || !w->isVisibleTo(&window)) continue;
            const Kind kind = layout_row(id).kind;
            if (kind == Kind::Field) {
                // Outside its rounded frame only: the corner pixels.
                const QList<QRect> all_but_corners = {QRect(1, 0, w->width() - 2, w->height()),
                                                      QRect(0, 1, w->width(), w->height() - 2)};
                QVERIFY2(background_pixels(window, w, all_but_corners) == 0,
                         qPrintable(w->objectName()));
                ++fields;
                continue;
            }
            if (paints_own_background(form[id].backcolor)) continue;
            if (kind == Kind::Label) {
                QVERIFY2(background_pixels(window, static_cast<QLabel*>(w)) == 0,
                         qPrintable(w->objectName()));
                ++labels;
            } else if (kind == Kind::Check || kind == Kind::Option) {
                auto* button = static_cast<QAbstractButton*>(w);
                QStyleOptionButton option;
                option.initFrom(button);
                option.text = button->text();
                const QRect contents = button->style()->subElementRect(
                    kind == Kind::Option ? QStyle::SE_RadioButtonContents
                                         : QStyle::SE_CheckBoxContents,
                    &option, button);
                const QRect text = button->fontMetrics()
                                       .boundingRect(contents, Qt::TextWordWrap, button->text())
                                       .adjusted(-2, -2, 2, 2);
                QVERIFY2(background_pixels(
                             window, w,
                             {indicator_rect(button).adjusted(-1, -1, 1, 1), text, contents}) == 0,
                         qPrintable(w->objectName()));
                ++buttons;
            } else if (kind == Kind::Group) {
                QList<QRect> children;
                for (const QWidget* child : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                    if (child->isVisibleTo(&window)) children << child->geometry();
                QVERIFY2(background_pixels(window, w, children) == 0, qPrintable(w->objectName()));
                ++groups;
            }
        }
        QVERIFY(labels > 40);
        QVERIFY(groups > 8);
        QVERIFY2(buttons >= 12, QByteArray::number(buttons));
        QVERIFY(fields >= 10);
        // A label with a colour of its own still paints it.
        QVERIFY(background_pixels(window, control<QLabel>(window, "lblNSsel")) > 0);
    }

    void the_level_captions_show_whole_in_their_design_font_beside_the_fields() {
        MainWindow window;
        QVERIFY(show_active(window));
        show_manual_frames(window);
        const std::pair<const char*, const char*> beside[] = {
            {"Label11", "txtCalON"},
            {"Label12", "txtCalOFF"},
            {"Label16", "txtMeasON"},
            {"Label17", "txtMeasOFF"},
        };
        for (const auto& [name, field_name] : beside) {
            auto* label = control<QLabel>(window, name);
            QWidget* field = control(window, field_name);
            QVERIFY(label->isVisibleTo(&window));
            const Ctl id = window.widgets().find(label);
            // Neither narrowed nor shrunk.
            QCOMPARE(label->font().pixelSize(), pixel_size(window.calculator().form[id].fontsize));
            QCOMPARE(label->font().stretch(), 100);
            const QRect text = label->fontMetrics().boundingRect(
                label->contentsRect(), int(label->alignment()) | Qt::TextWordWrap, label->text());
            QVERIFY2(text.width() <= label->width() && text.height() <= label->height() + 1, name);
            const QRect drawn(label->mapToParent(text.topLeft()), text.size());
            QVERIFY2(!drawn.intersects(field->geometry()), name);
        }
    }

    void the_error_message_leaves_the_logo_visible_and_stays_readable() {
        MainWindow window;
        QVERIFY(show_active(window));
        show_manual_frames(window);
        // Without the second-stage correction the longest message, on three
        // lines across the logo's lettering.
        window.findChild<QAction*>("mnu2ndStage")->trigger();
        auto* error = control<QLabel>(window, "lblError");
        QWidget* logo = control(window, "imgLogo_lg");
        QVERIFY(error->text().startsWith(QStringLiteral("Uncertainty not available")));
        QVERIFY(logo->isVisibleTo(&window));
        QVERIFY(error->geometry().intersects(logo->geometry()));
        QCOMPARE(background_pixels(window, error), 0);

        const QImage image = client_image(window);
        const QRect area = in_client(window, error, error->rect());
        int red = 0;
        int drowned = 0;
        for (int y = area.top() + 1; y < area.bottom(); ++y) {
            for (int x = area.left() + 1; x < area.right(); ++x) {
                if (!is_red(image.pixel(x, y))) continue;
                ++red;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (is_dark(image.pixel(x + dx, y + dy))) ++drowned;
            }
        }
        QVERIFY(red > 50);
        QCOMPARE(drowned, 0);
        // Over the logo indeed: dark logo pixels lie within the label's area.
        int dark = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (is_dark(image.pixel(x, y))) ++dark;
        QVERIFY(dark > 0);
    }

    void the_window_caption_is_the_models() {
        MainWindow window;
        QVERIFY(show_active(window));
        QCOMPARE(window.windowTitle().toStdString(), window.calculator().form.caption);
        // The window system appends a display name to every caption when
        // the application has one.
        QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    }

    void only_the_focused_field_shows_a_selection() {
        // Also while another window is active (as on a display without a
        // window manager), when the fields get no focus events.
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget other;
        QVERIFY(show_active(other));
        const auto focused_only = [&] {
            const QStringList selected = fields_with_selection(window);
            auto* focus = qobject_cast<QLineEdit*>(window.focusWidget());
            return selected.isEmpty() || (selected.size() == 1 && focus != nullptr &&
                                          selected.front() == focus->objectName());
        };
        click(control(window, "txtENR"));
        QVERIFY(control<QLineEdit>(window, "txtENR")->hasSelectedText());
        click(control(window, "txtDUT_Gain"));
        QVERIFY2(focused_only(), qPrintable(fields_with_selection(window).join(' ')));
        QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
        QVERIFY2(focused_only(), qPrintable(fields_with_selection(window).join(' ')));
        QTest::keyClick(window.focusWidget(), Qt::Key_PageUp);
        click(control(window, "chkFreqConv"));
        QVERIFY2(focused_only(), qPrintable(fields_with_selection(window).join(' ')));
        click(control(window, "txtDUT_NF"));
        QTest::keyClick(window.focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QTest::keyClick(window.focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QVERIFY2(focused_only(), qPrintable(fields_with_selection(window).join(' ')));
    }
};

QTEST_MAIN(AppearanceTest)
#include "appearance_test.moc"
