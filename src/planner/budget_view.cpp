#include "planner/budget_view.h"

#include "ui/qstring.h"

#include <QEvent>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>

namespace orlavex::planner {

namespace {

// Each source's name and the unit of its standard uncertainty: jitter is a
// relative spread of a power, in nepers; every other source is in dB.
struct SourceName {
    std::string_view id;
    const char* name;
    const char* unit = "dB";
};

constexpr std::array source_names = {
    SourceName{"enr", "ENR"},
    SourceName{"enr_cal", "ENR at calibration"},
    SourceName{"enr_meas", "ENR at measurement"},
    SourceName{"mismatch_in", "Mismatch, source to DUT input"},
    SourceName{"mismatch_cal", "Mismatch, source to analyzer (calibration)"},
    SourceName{"mismatch_out", "Mismatch, DUT output to analyzer"},
    SourceName{"analyzer_nf_meas", "Analyzer NF, measurement"},
    SourceName{"analyzer_nf_cal", "Analyzer NF, calibration"},
    SourceName{"analyzer_gain", "Analyzer gain"},
    SourceName{"jitter_cal_off", "Jitter, calibration, source off", "Np"},
    SourceName{"jitter_cal_on", "Jitter, calibration, source on", "Np"},
    SourceName{"jitter_meas_off", "Jitter, measurement, source off", "Np"},
    SourceName{"jitter_meas_on", "Jitter, measurement, source on", "Np"},
    SourceName{"loss_in", "Loss before the DUT"},
    SourceName{"loss_out", "Loss after the DUT"},
};

constexpr std::array<QRgb, 8> share_palette = {0x1f54a0, 0xc85a14, 0x28a03c, 0x783c96,
                                               0x148282, 0xb4a000, 0xd72828, 0x7f7f7f};

QTableWidgetItem* cell(const QString& text, bool number = true) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

QColor share_colour(std::size_t row) {
    return QColor(share_palette[row % share_palette.size()]);
}

std::vector<measure::BudgetLine> by_contribution(const measure::Budget& budget) {
    std::vector<measure::BudgetLine> lines = budget.lines;
    std::ranges::stable_sort(lines, std::ranges::greater{}, &measure::BudgetLine::u_i_db);
    return lines;
}

QString source_name(std::string_view source) {
    for (const SourceName& s : source_names)
        if (s.id == source) return QString::fromLatin1(s.name);
    return ui::qstring(source);
}

QString source_unit(std::string_view source) {
    const auto* s = std::ranges::find(source_names, source, &SourceName::id);
    return QString::fromLatin1(s != source_names.end() ? s->unit : "dB");
}

ShareBar::ShareBar(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ShareBar::set_lines(std::vector<measure::BudgetLine> lines) {
    lines_ = std::move(lines);
    update();
}

QSize ShareBar::sizeHint() const {
    return {400, fontMetrics().height() * 2};
}

QSize ShareBar::minimumSizeHint() const {
    return {100, fontMetrics().height() * 2};
}

void ShareBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF area = QRectF(rect()).adjusted(1, 1, -1, -1);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(area);
    double left = area.left();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const double width = area.width() * std::clamp(lines_[i].share, 0.0, 1.0);
        if (width <= 0) continue;
        const QRectF part(left, area.top(), width, area.height());
        painter.fillRect(part, share_colour(i));
        // A share wide enough for its figure carries it.
        const QString label = QLocale().toString(lines_[i].share * 100, 'f', 0) + " %";
        if (painter.fontMetrics().horizontalAdvance(label) + 6 < width) {
            painter.setPen(Qt::white);
            painter.drawText(part, Qt::AlignCenter, label);
        }
        left += width;
    }
}

BudgetView::BudgetView(QWidget* parent)
    : QWidget(parent),
      heading_(new QLabel(this)),
      table_(new QTableWidget(0, 6, this)),
      bar_(new ShareBar(this)) {
    table_->setObjectName(QStringLiteral("budgetTable"));
    // One icon per colour, made once: the item view caches the pixmap each
    // icon draws under the icon's key, so an icon made afresh for every
    // budget shown would fill Qt's pixmap cache with copies.
    const int side = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    for (std::size_t i = 0; i < share_palette.size(); ++i) {
        QPixmap swatch(side, side);
        swatch.fill(share_colour(i));
        swatches_.emplace_back(swatch);
    }
    heading_->setObjectName(QStringLiteral("budgetHeading"));
    heading_->setWordWrap(true);
    table_->setHorizontalHeaderLabels({tr("Error source"), tr("Std. uncertainty u"), tr("Unit"),
                                       tr("Sensitivity c"), tr("Contribution (dB)"), tr("Share")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < table_->columnCount(); ++c)
        table_->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    table_->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(heading_);
    layout->addWidget(table_, 1);
    layout->addWidget(bar_);
}

// The names take the width the figures leave, but never less than the
// longest name: a narrower table scrolls sideways instead of cutting them.
void BudgetView::fit_name_column() {
    QHeaderView* header = table_->horizontalHeader();
    int figures = 0;
    for (int c = 1; c < table_->columnCount(); ++c)
        figures += header->sectionSize(c);
    const QAbstractItemView& view = *table_;  // where the width of a column's contents is public
    const int names = std::max(view.sizeHintForColumn(0), header->sectionSizeHint(0));
    const bool room = table_->viewport()->width() >= names + figures;
    header->setSectionResizeMode(0, room ? QHeaderView::Stretch : QHeaderView::Interactive);
    if (!room) header->resizeSection(0, names);
}

bool BudgetView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_->viewport() && event->type() == QEvent::Resize) fit_name_column();
    return QWidget::eventFilter(watched, event);
}

void BudgetView::show_nothing(const QString& why_not) {
    heading_->setText(why_not);
    table_->setRowCount(0);
    bar_->set_lines({});
    text_.clear();
}

void BudgetView::show_budget(const measure::Budget& budget, const QString& where,
                             std::optional<double> bias_db) {
    if (!budget.valid) {
        show_nothing(tr("No budget %1: the measurement has no valid result there.").arg(where));
        return;
    }
    const QLocale locale;
    const auto number = [&](double x, int places) { return locale.toString(x, 'f', places); };
    const std::vector<measure::BudgetLine> lines = by_contribution(budget);
    QString totals =
        tr("u<sub>c</sub> = %1 dB, U (k = %2) = %3 dB")
            .arg(number(budget.u_c_db, 3), number(budget.k, 0), number(budget.U_db, 3));
    const double bound_db = budget.U_db + (bias_db ? std::abs(*bias_db) : 0.0);
    if (bias_db) {
        totals += tr("; source-match bias %1 dB, U + |bias| = %2 dB, %3 of it bias")
                      .arg(number(*bias_db, 3), number(bound_db, 3),
                           number(100 * std::abs(*bias_db) / bound_db, 0) + " %");
    }
    heading_->setText(tr("Budget %1: %2").arg(where.toHtmlEscaped(), totals));
    table_->setRowCount(static_cast<int>(lines.size()));
    text_ = tr("Uncertainty budget %1").arg(where) + '\n' +
            QStringLiteral("source\tu\tunit\tc\tcontribution_db\tshare_percent\n");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const measure::BudgetLine& l = lines[i];
        const int row = static_cast<int>(i);
        QTableWidgetItem* name = cell(source_name(l.source), false);
        name->setData(Qt::DecorationRole, swatches_[i % swatches_.size()]);
        name->setData(Qt::UserRole, ui::qstring(l.source));
        table_->setItem(row, 0, name);
        table_->setItem(row, 1, cell(number(l.u, 4)));
        table_->setItem(row, 2, cell(source_unit(l.source), false));
        table_->setItem(row, 3, cell(number(l.c, 4)));
        table_->setItem(row, 4, cell(number(l.u_i_db, 4)));
        table_->setItem(row, 5, cell(number(l.share * 100, 1) + " %"));
        text_ += source_name(l.source) + '\t' + number(l.u, 4) + '\t' + source_unit(l.source) +
                 '\t' + number(l.c, 4) + '\t' + number(l.u_i_db, 4) + '\t' +
                 number(l.share * 100, 1) + '\n';
    }
    text_ += tr("combined u_c\t%1 dB\nexpanded U (k = %2)\t%3 dB\n")
                 .arg(number(budget.u_c_db, 4), number(budget.k, 0), number(budget.U_db, 4));
    if (bias_db) {
        text_ += tr("source-match bias\t%1 dB\nU + |bias|\t%2 dB\n")
                     .arg(number(*bias_db, 4), number(bound_db, 4));
    }
    bar_->set_lines(lines);
    fit_name_column();
}

}  // namespace orlavex::planner
