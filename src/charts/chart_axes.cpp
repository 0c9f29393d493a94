#include "charts/chart_axes.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QLocale>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QValueAxis>

namespace orlavex::charts {

namespace {

QString axis_title(const SweepChartData& data) {
    const QString label = QString::fromStdString(data.x_label);
    return data.x_unit.empty() ? label : label + " (" + QString::fromStdString(data.x_unit) + ")";
}

bool logarithmic_x(const SweepChartData& data) {
    return data.log_x && !data.points.empty() &&
           std::all_of(data.points.begin(), data.points.end(),
                       [](const ChartPoint& p) { return p.x > 0; });
}

// Ticks one and a half label heights apart leave each label its own line
// and a gap.
constexpr double label_lines_per_tick = 1.5;

// A tick label written in C form ("-0.25") in LOCALE's, with as many
// decimals.
QString in_locale(const QString& text, const QLocale& locale) {
    const qsizetype point = text.indexOf('.');
    const int decimals = point < 0 ? 0 : static_cast<int>(text.size() - point - 1);
    return locale.toString(text.toDouble(), 'f', decimals);
}

// The smallest step of 1, 2 or 5 times a power of ten that is at least
// LEAST.
double step_at_least(double least) {
    const double power = std::pow(10.0, std::floor(std::log10(least)));
    for (double factor : {1.0, 2.0, 5.0})
        if (factor * power >= least * (1 - 1e-9)) return factor * power;
    return 10 * power;
}

// Labels AXIS at the multiples of STEP inside its range; the range stays.
void label_ticks(QCategoryAxis& axis, double step, const QLocale* locale) {
    for (const QString& label : axis.categoriesLabels())
        axis.remove(label);
    const double lo = axis.min(), hi = axis.max();
    const auto first = static_cast<long long>(std::ceil(lo / step - 1e-9));
    const auto last = static_cast<long long>(std::floor(hi / step + 1e-9));
    axis.setStartValue(lo);
    for (long long k = first; k <= last; ++k) {
        const QString text = tick_label(k, step);
        axis.append(locale != nullptr ? in_locale(text, *locale) : text,
                    static_cast<double>(k) * step);
    }
}

}  // namespace

std::pair<double, double> x_range(const SweepChartData& data) {
    if (is_measured(data)) {
        // A measurement's first and last marks and error bars whole, a little
        // inside the plot.
        const auto [low, high] = std::minmax_element(
            data.measured.begin(), data.measured.end(),
            [](const MeasuredChartPoint& a, const MeasuredChartPoint& b) { return a.x < b.x; });
        const double span = high->x - low->x;
        const double pad = span > 0 ? span * 0.03 : std::max(std::abs(low->x) * 0.05, 0.5);
        return {low->x - pad, high->x + pad};
    }
    if (data.points.empty()) return {0, 1};
    const auto [low, high] =
        std::minmax_element(data.points.begin(), data.points.end(),
                            [](const ChartPoint& a, const ChartPoint& b) { return a.x < b.x; });
    const double lo = low->x, hi = high->x;
    return {lo, hi > lo ? hi : lo + 1};
}

namespace {

// A narrow plot (a long legend beside it) spaces its ticks further apart
// rather than eliding their labels: room for the widest label and two
// characters between labels, never finer than FINEST.
void fit_x_ticks(QChart& chart, QValueAxis& axis, double finest) {
    const auto fit = [&chart, &axis, finest] {
        const double room = chart.plotArea().width();
        if (!(room > 0)) return;
        const QFontMetricsF metrics(axis.labelsFont());
        double widest = 0;
        for (const double x : {axis.min(), axis.max()})
            widest = std::max(widest, metrics.horizontalAdvance(QString::asprintf("%g", x)));
        const double per_label = widest + 2 * metrics.averageCharWidth();
        const double step =
            std::max(finest, step_at_least((axis.max() - axis.min()) * per_label / room));
        if (step == axis.tickInterval()) return;
        axis.setTickAnchor(std::ceil(axis.min() / step) * step);
        axis.setTickInterval(step);
    };
    QObject::connect(&chart, &QChart::plotAreaChanged, &axis, fit);
}

}  // namespace

void attach_x_axis(QChart& chart, const SweepChartData& data) {
    const auto [lo, hi] = x_range(data);
    QAbstractAxis* axis = nullptr;
    if (logarithmic_x(data)) {
        auto* log_axis = new QLogValueAxis;
        log_axis->setBase(10);
        log_axis->setLabelFormat("%g");
        log_axis->setMinorTickCount(8);
        log_axis->setRange(lo, hi);
        axis = log_axis;
    } else {
        auto* value_axis = new QValueAxis;
        const double step = nice_step(hi - lo, 10);
        value_axis->setRange(lo, hi);
        value_axis->setTickType(QValueAxis::TicksDynamic);
        value_axis->setTickAnchor(std::ceil(lo / step) * step);
        value_axis->setTickInterval(step);
        value_axis->setLabelFormat("%g");
        fit_x_ticks(chart, *value_axis, step);
        axis = value_axis;
    }
    axis->setTitleText(axis_title(data));
    chart.addAxis(axis, Qt::AlignBottom);
}

double nice_step(double span, int ticks) {
    if (!(span > 0)) return 1;
    const double raw = span / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0})
        if (raw <= factor * power) return factor * power;
    return 10 * power;
}

QString tick_label(long long k, double step) {
    const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
    if (k == 0) return QStringLiteral("0");
    return QString::number(static_cast<double>(k) * step, 'f', decimals);
}

QCategoryAxis* attach_y_axis(QChart& chart, double lo, double hi, const QStringList& titles,
                             int most_intervals) {
    const double step = nice_step(hi - lo, most_intervals);
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setRange(std::floor(lo / step + 1e-9) * step, std::ceil(hi / step - 1e-9) * step);
    axis->setTitleText(titles.front());
    chart.addAxis(axis, Qt::AlignLeft);
    label_ticks(*axis, step, nullptr);

    const auto fit = [&chart, axis, titles, finest = step, shown = step]() mutable {
        const double room = chart.plotArea().height();
        if (!(room > 0)) return;
        const double line = QFontMetricsF(axis->labelsFont()).height();
        const double span = axis->max() - axis->min();
        const double step =
            std::max(finest, step_at_least(span * label_lines_per_tick * line / room));
        const QLocale locale = chart.locale();
        if (step != shown) {
            shown = step;
            label_ticks(*axis, step, chart.localizeNumbers() ? &locale : nullptr);
        }
        const QFontMetricsF title_metrics(axis->titleFont());
        QString wanted = titles.back();
        for (const QString& title : titles)
            // Qt Charts keeps a little of the height for the title's padding.
            if (title_metrics.horizontalAdvance(title) + 2 * title_metrics.height() <= room) {
                wanted = title;
                break;
            }
        if (axis->titleText() != wanted) axis->setTitleText(wanted);
    };
    QObject::connect(&chart, &QChart::plotAreaChanged, axis, fit);
    return axis;
}

}  // namespace orlavex::charts
