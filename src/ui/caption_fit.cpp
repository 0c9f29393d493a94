#include "ui/caption_fit.h"

#include "ui/wrapping_check_box.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

namespace orlavex::ui {

namespace {

// Space a group box keeps beside its title.
constexpr int frame_title_margin = 8;

int widest_line(const QFontMetrics& metrics, const QString& text) {
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

bool wraps_into(const QFontMetrics& metrics, const QRect& room, const QString& text) {
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (metrics.horizontalAdvance(word) > room.width()) return false;
    const QRect needed =
        metrics.boundingRect(QRect(0, 0, room.width(), 1 << 16), Qt::TextWordWrap, text);
    return needed.height() <= room.height() + 1;
}

QRect button_room(const QAbstractButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    if (qobject_cast<const QPushButton*>(button) != nullptr) {
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, button);
        return button->rect().adjusted(margin, 0, -margin, 0);
    }
    const bool radio = qobject_cast<const QRadioButton*>(button) != nullptr;
    return button->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, button);
}

}  // namespace

bool caption_fits(const QWidget* widget, const QFont& font) {
    const QFontMetrics metrics(font);
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        const QRect room =
            label->contentsRect().adjusted(label->indent() > 0 ? label->indent() : 0, 0, 0, 0);
        return label->wordWrap() ? wraps_into(metrics, room, label->text())
                                 : widest_line(metrics, label->text()) <= room.width();
    }
    if (const auto* box = dynamic_cast<const WrappingCheckBox*>(widget)) {
        return wraps_into(metrics, box->caption_rect(), box->text());
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return widest_line(metrics, button->text()) <= button_room(button).width();
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) {
        return metrics.horizontalAdvance(frame->title()) + frame_title_margin <= frame->width();
    }
    return true;
}

void fit_caption(QWidget* widget, const QFont& designed) {
    QFont font = designed;
    bool fits = false;  // each font is measured once
    // Narrower first: the text keeps its height and weight.
    for (int stretch : {100, 94, 88, 82}) {
        font.setStretch(stretch);
        fits = caption_fits(widget, font);
        if (fits) break;
    }
    // Then smaller, down to three quarters of the designed size.
    const int smallest = std::max(6, designed.pixelSize() * 3 / 4);
    while (!fits && font.pixelSize() > smallest) {
        font.setPixelSize(font.pixelSize() - 1);
        fits = caption_fits(widget, font);
    }
    if (widget->font() != font) widget->setFont(font);
}

}  // namespace orlavex::ui
