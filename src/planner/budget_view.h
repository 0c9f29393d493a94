// The uncertainty budget at the selected point: every error source with its
// standard uncertainty, sensitivity, contribution and share, the largest
// first, above a bar of the shares; and the budget as plain text to copy.
#pragma once

#include "measure/gum.h"

#include <QIcon>
#include <QLocale>
#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

class QLabel;
class QTableWidget;

namespace orlavex::planner {

// The lines of BUDGET ordered by contribution, the largest first.
std::vector<measure::BudgetLine> by_contribution(const measure::Budget& budget);
// "ENR", "Mismatch at the DUT input", ... for a budget line's identifier.
QString source_name(std::string_view source);
// The unit of a budget line's standard uncertainty: "dB", or "Np" for jitter.
QString source_unit(std::string_view source);

class ShareBar : public QWidget {
  public:
    explicit ShareBar(QWidget* parent = nullptr);
    void set_lines(std::vector<measure::BudgetLine> lines);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<measure::BudgetLine> lines_;
};

class BudgetView : public QWidget {
  public:
    explicit BudgetView(QWidget* parent = nullptr);

    // Shows BUDGET for the point described by WHERE ("at 5.0 GHz"), and the
    // source-match bias BIAS_DB the result carries where the model knew the
    // reflections, with its part of U + |bias|; an invalid budget shows
    // WHY_NOT instead.
    void show_budget(const measure::Budget& budget, const QString& where,
                     std::optional<double> bias_db = std::nullopt);
    void show_nothing(const QString& why_not);

    // Tab-separated, one line per source, a heading and the totals.
    QString text() const { return text_; }
    QTableWidget* table() const { return table_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fit_name_column();

    QLabel* heading_;
    QTableWidget* table_;
    ShareBar* bar_;
    QString text_;
    std::vector<QIcon> swatches_;  // the colour of each row, by share_colour
};

// Colour of budget line ROW (in contribution order), shared by the table's
// swatches and the bar.
QColor share_colour(std::size_t row);

}  // namespace orlavex::planner
