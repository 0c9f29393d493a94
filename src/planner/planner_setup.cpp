// The planner's inputs as the application's sweep request (set-up, sweep and
// data files) and back: what a set-up file saves and reopens. The session
// holds them; the window shows what it took.
#include "planner/planner_window.h"

#include "planner/bench_box.h"

#include <QFileInfo>
#include <QLabel>

namespace orlavex::planner {

app::SweepRequest PlannerWindow::sweep_request() const {
    return session_.sweep_request();
}

QString PlannerWindow::open_request(const app::SweepRequest& request) {
    if (const std::string why = session_.open_request(request); !why.empty())
        return QString::fromStdString(why);
    show_request();
    return {};
}

// The request the session has just taken, in every control.
void PlannerWindow::show_request() {
    show_sweep_inputs();
    const auto& enr_table = session_.enr_table();
    const auto& sparameters = session_.sparameters();
    show_data_file(*enr_name_, tr("ENR table: %1"), enr_table ? enr_table->name() : "");
    show_data_file(*s2p_name_, tr("S-parameters: %1"), sparameters ? sparameters->name() : "");
    file_message_->hide();
    bench_box_->show_bench(session_.bench());
    show_setup();
    after_change();
}

void PlannerWindow::show_data_file(QLabel& label, const QString& what, const std::string& name) {
    label.setText(name.empty() ? tr("none")
                               : what.arg(QFileInfo(QString::fromStdString(name)).fileName()));
    label.setToolTip(QString::fromStdString(name));
}

}  // namespace orlavex::planner
