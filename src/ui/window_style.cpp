#include "ui/window_style.h"

#include <QStyleFactory>
#include <QWidget>

#include <algorithm>

namespace orlavex::ui {

namespace {

bool is_indicator_size(QStyle::PixelMetric metric) {
    return metric == QStyle::PM_IndicatorWidth || metric == QStyle::PM_IndicatorHeight ||
           metric == QStyle::PM_ExclusiveIndicatorWidth ||
           metric == QStyle::PM_ExclusiveIndicatorHeight;
}

}  // namespace

WindowStyle::WindowStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

int WindowStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const {
    const int designed = QProxyStyle::pixelMetric(metric, option, widget);
    if (!is_indicator_size(metric) || widget == nullptr || widget->height() <= 1) return designed;
    // A pixel row stays free below the indicator, so that controls stacked
    // right below each other do not touch.
    return std::min(designed, widget->height() - 1);
}

}  // namespace orlavex::ui
