// The measurement model's options as a form made from their input rows: a
// list for a choice, a number box for a number (one that may be left out
// shows "none" at its lowest). A new option row appears here by itself; the
// rows another box shows (the readings' jitter) and the Monte Carlo's own
// are left out.
#pragma once

#include "measure/setup.h"

#include <QGroupBox>

#include <functional>
#include <vector>

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

  private:
    // One control each way: from the options to it, and from it into them.
    struct Control {
        QWidget* widget;
        std::function<void(const measure::ModelOptions&)> show;
        std::function<void(measure::ModelOptions&)> read;
    };
    std::vector<Control> controls_;
    measure::ModelOptions shown_;
};

}  // namespace orlavex::planner
