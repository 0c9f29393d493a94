// The measurement model's options as a form made from their input rows: a
// list for a choice, a number box for a number (one that may be left out
// shows "none" at its lowest), a text field for a reflection typed as
// MAG@DEG (empty: none). A new option row appears here by itself; the rows
// another box shows (the readings' jitter) and the Monte Carlo's own are
// left out. The known reflections typed where no file gives them follow,
// open to edits only while the reflections are known.
#pragma once

#include "app/inputs/model_inputs.h"
#include "measure/setup.h"

#include <QGroupBox>
#include <QString>

#include <functional>
#include <vector>

class QFormLayout;

namespace orlavex::planner {

class ModelOptionsBox : public QGroupBox {
    Q_OBJECT

  public:
    explicit ModelOptionsBox(QWidget* parent = nullptr);

    // The options the controls show; those the box does not show are kept
    // as set_options() gave them.
    measure::ModelOptions options() const;
    void set_options(const measure::ModelOptions& options);

  signals:
    void changed();  // the user changed an option
    // Text typed into a field that cannot be taken: the field shows the
    // value it had again, and MESSAGE names the row and what it takes.
    void refused(const QString& message);

  private:
    // One control each way: from the options to it, and from it into them.
    struct Control {
        QWidget* widget;
        std::function<void(const measure::ModelOptions&)> show;
        std::function<void(measure::ModelOptions&)> read;
    };
    void add_choice(QFormLayout& form, const app::ModelInput& row);
    void add_number(QFormLayout& form, const app::ModelInput& row);
    void add_reflection(QFormLayout& form, const app::ModelInput& row);
    // The typed reflections' controls open while the reflections are known.
    void show_known_rows();

    std::vector<Control> controls_;
    std::vector<QWidget*> known_only_;
    measure::ModelOptions shown_;
};

}  // namespace orlavex::planner
