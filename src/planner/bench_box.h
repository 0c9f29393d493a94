// The bench around the DUT among the planner's inputs: the losses before and
// after it (a value or a Touchstone 2-port of the part, its physical
// temperature and uncertainty) and the noise source the measurement is made
// with. Folded away under its heading until opened.
//
// The box never applies anything itself: every edit is offered as the whole
// bench it would make (edited), and the window either takes it or shows the
// bench it keeps again (show_bench).
#pragma once

#include "planning/bench_setup.h"

#include <QString>
#include <QWidget>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace orlavex::planner {

enum class LossSide { before, after };

class BenchBox : public QWidget {
    Q_OBJECT

  public:
    explicit BenchBox(QWidget* parent = nullptr);

    // Shows BENCH in the inputs without offering it as an edit, and opens
    // the box when BENCH holds anything.
    void show_bench(const planning::BenchInput& bench);

    // Reads a loss file or the measurement source's ENR table and offers
    // the bench with it; a file that cannot be read is refused with its
    // message. Returns false then.
    bool load_loss_file(LossSide side, const QString& path);
    bool load_meas_enr_table(const QString& path);

    bool expanded() const;
    void set_expanded(bool open);

  signals:
    void edited(const planning::BenchInput& candidate);
    void refused(const QString& message);

  private:
    struct LossRow {
        QDoubleSpinBox* loss = nullptr;
        QDoubleSpinBox* temperature = nullptr;
        QDoubleSpinBox* unc = nullptr;
        QPushButton* clear = nullptr;
        QLabel* file = nullptr;
    };
    QWidget* build_loss_rows(LossSide side, QWidget* parent);
    QWidget* build_source_rows(QWidget* parent);
    void connect_loss_row(LossSide side);
    void choose_source_kind(int index);
    void show_loss(const LossRow& row, const planning::LossInput& loss);
    void show_source(const std::optional<planning::MeasurementSourceInput>& source);
    planning::LossInput& loss_of(planning::BenchInput& bench, LossSide side) const;
    LossRow& row_of(LossSide side) { return side == LossSide::before ? before_ : after_; }
    void offer(planning::BenchInput candidate);

    planning::BenchInput shown_;
    QToolButton* heading_ = nullptr;
    QWidget* body_ = nullptr;
    LossRow before_, after_;
    QComboBox* source_ = nullptr;
    QDoubleSpinBox* meas_enr_ = nullptr;
    QPushButton* meas_table_open_ = nullptr;
    QLabel* meas_table_ = nullptr;
    QDoubleSpinBox* meas_unc_ = nullptr;
    QDoubleSpinBox* meas_vswr_ = nullptr;
};

}  // namespace orlavex::planner
