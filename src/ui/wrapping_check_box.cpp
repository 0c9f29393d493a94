#include "ui/wrapping_check_box.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace orlavex::ui {

QRect WrappingCheckBox::caption_rect() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    const int indicator = style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, this);
    const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    return rect().adjusted(indicator + spacing, 0, 0, 0);
}

void WrappingCheckBox::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const int indicator = style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, this);
    const int indicator_height = style()->pixelMetric(QStyle::PM_IndicatorHeight, &option, this);
    QStyleOptionButton box = option;
    box.rect = QRect(0, (height() - indicator_height) / 2, indicator, indicator_height);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, box);

    const QRect caption = caption_rect();
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(caption, flags, text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = painter.boundingRect(caption, flags, text()).adjusted(-1, 0, 1, 0);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

}  // namespace orlavex::ui
