#include "planner/bench_box.h"

#include "catalogue/noise_source_table.h"
#include "datafiles/file_error.h"
#include "measure/match.h"
#include "ui/qstring.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace orlavex::planner {

namespace {

// The measurement source's first items; the catalogue's models follow
// behind a separator.
enum SourceItem { calibration_source, enr_value, enr_table, first_model = 4 };

// The lowest value of the ENR uncertainty and VSWR boxes stands for "as the
// calibration source".
constexpr double unc_as_calibration = -0.01;
constexpr double vswr_as_calibration = 0.99;

QDoubleSpinBox* bench_number(double lo, double hi, int decimals, const QString& suffix,
                             const char* name, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(lo, hi);
    box->setDecimals(decimals);
    box->setSuffix(suffix);
    box->setKeyboardTracking(false);  // one change when the typing is done
    box->setAlignment(Qt::AlignRight);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QWidget* row_of_widgets(std::initializer_list<QWidget*> widgets, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : widgets) {
        w->setParent(row);
        h->addWidget(w, w->inherits("QDoubleSpinBox") ? 1 : 0);
    }
    return row;
}

// Rows of a label before its input, the label naming the input for the
// keyboard and for screen readers.
QWidget* labelled_rows(std::initializer_list<std::pair<QString, QWidget*>> rows, QWidget* parent) {
    auto* block = new QWidget(parent);
    auto* form = new QFormLayout(block);
    form->setContentsMargins(0, 0, 0, 0);
    for (const auto& [text, input] : rows) {
        input->setParent(block);
        auto* label = new QLabel(text, block);
        QWidget* named =
            input->inherits("QDoubleSpinBox") ? input : input->findChild<QDoubleSpinBox*>();
        label->setBuddy(named != nullptr ? named : input);
        form->addRow(label, input);
    }
    return block;
}

QLabel* file_label(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->hide();
    return label;
}

void show_file_name(QLabel& label, const QString& what, const std::string& name) {
    label.setText(what.arg(QFileInfo(QString::fromStdString(name)).fileName()));
    label.setVisible(!name.empty());
}

}  // namespace

BenchBox::BenchBox(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    heading_ = new QToolButton(this);
    heading_->setObjectName(QStringLiteral("benchHeading"));
    heading_->setText(tr("Losses and measurement source"));
    heading_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    heading_->setAutoRaise(true);
    heading_->setCheckable(true);
    body_ = new QWidget(this);
    auto* form = new QFormLayout(body_);
    form->setContentsMargins(0, 0, 0, 0);
    // Each label above its inputs: the column stays as narrow as the others.
    form->setRowWrapPolicy(QFormLayout::WrapAllRows);
    // Each heading names the first input below it.
    const auto add_rows = [this, form](const QString& text, QWidget* rows, QWidget* first_input) {
        auto* label = new QLabel(text, body_);
        label->setBuddy(first_input);
        form->addRow(label, rows);
    };
    QWidget* before = build_loss_rows(LossSide::before, body_);
    add_rows(tr("Loss before DUT"), before, before_.loss);
    QWidget* after = build_loss_rows(LossSide::after, body_);
    add_rows(tr("Loss after DUT"), after, after_.loss);
    QWidget* source = build_source_rows(body_);
    add_rows(tr("Measured with"), source, source_);
    column->addWidget(heading_);
    column->addWidget(body_);
    connect(heading_, &QToolButton::toggled, this, &BenchBox::set_expanded);
    set_expanded(false);
    show_bench({});
}

QWidget* BenchBox::build_loss_rows(LossSide side, QWidget* parent) {
    const bool before = side == LossSide::before;
    LossRow& r = row_of(side);
    auto* rows = new QWidget(parent);
    auto* v = new QVBoxLayout(rows);
    v->setContentsMargins(0, 0, 0, 0);
    r.loss = bench_number(0, 100, 3, QStringLiteral(" dB"), before ? "lossIn" : "lossOut", rows);
    auto* open = new QPushButton(tr("File..."), rows);
    open->setObjectName(before ? QStringLiteral("lossInOpen") : QStringLiteral("lossOutOpen"));
    open->setToolTip(tr("The loss from a Touchstone 2-port of the part (-|S21|² in dB)"));
    r.clear = new QPushButton(tr("Clear"), rows);
    r.clear->setObjectName(before ? QStringLiteral("lossInClear") : QStringLiteral("lossOutClear"));
    r.file = file_label(before ? "lossInFile" : "lossOutFile", rows);
    r.temperature = bench_number(0, 10000, 2, QStringLiteral(" K"),
                                 before ? "lossInTemp" : "lossOutTemp", rows);
    r.temperature->setToolTip(tr("Physical temperature of the part"));
    r.unc =
        bench_number(0, 10, 3, QStringLiteral(" dB"), before ? "lossInUnc" : "lossOutUnc", rows);
    r.unc->setPrefix(QStringLiteral("± "));
    r.unc->setToolTip(tr("Expanded uncertainty of the loss (k = 2)"));
    v->addWidget(row_of_widgets({r.loss, open, r.clear}, rows));
    v->addWidget(r.file);
    v->addWidget(
        labelled_rows({{tr("Temperature"), r.temperature}, {tr("Uncertainty"), r.unc}}, rows));
    connect(open, &QPushButton::clicked, this, [this, side, before] {
        const QString path = QFileDialog::getOpenFileName(
            this, before ? tr("Loss Before the DUT") : tr("Loss After the DUT"), QString(),
            tr("Touchstone 2-ports (*.s2p);;All files (*)"));
        if (!path.isEmpty()) load_loss_file(side, path);
    });
    connect_loss_row(side);
    return rows;
}

void BenchBox::connect_loss_row(LossSide side) {
    LossRow& r = row_of(side);
    const auto edit = [this, side](auto change) {
        return [this, side, change](double value) {
            planning::BenchInput b = shown_;
            change(loss_of(b, side), value);
            offer(std::move(b));
        };
    };
    connect(r.loss, &QDoubleSpinBox::valueChanged, this,
            edit([](planning::LossInput& l, double v) { l.loss_db = v; }));
    connect(r.temperature, &QDoubleSpinBox::valueChanged, this,
            edit([](planning::LossInput& l, double v) { l.temperature_k = v; }));
    connect(r.unc, &QDoubleSpinBox::valueChanged, this,
            edit([](planning::LossInput& l, double v) { l.unc_db = v; }));
    connect(r.clear, &QPushButton::clicked, this, [this, side] {
        planning::BenchInput b = shown_;
        loss_of(b, side) = planning::LossInput{};
        offer(std::move(b));
    });
}

QWidget* BenchBox::build_source_rows(QWidget* parent) {
    auto* rows = new QWidget(parent);
    auto* v = new QVBoxLayout(rows);
    v->setContentsMargins(0, 0, 0, 0);
    source_ = new QComboBox(rows);
    source_->setObjectName(QStringLiteral("measSource"));
    source_->addItem(tr("The calibration source"));
    source_->addItem(tr("Another source: ENR value"));
    source_->addItem(tr("Another source: ENR table"));
    source_->insertSeparator(source_->count());
    for (const catalogue::NoiseSourceMaker& maker : catalogue::noise_source_makers())
        for (const catalogue::NoiseSourceModel& model : maker.models)
            source_->addItem(ui::qstring(catalogue::model_name(model)));
    meas_enr_ = bench_number(-10, 50, 2, QStringLiteral(" dB"), "measEnr", rows);
    meas_enr_->setToolTip(tr("ENR of the measurement source"));
    meas_table_open_ = new QPushButton(tr("Table..."), rows);
    meas_table_open_->setObjectName(QStringLiteral("measEnrTableOpen"));
    meas_table_ = file_label("measEnrTable", rows);
    meas_unc_ = bench_number(unc_as_calibration, 10, 2, QStringLiteral(" dB"), "measEnrUnc", rows);
    meas_unc_->setPrefix(QStringLiteral("± "));
    meas_unc_->setSpecialValueText(tr("± as cal. source"));
    meas_unc_->setToolTip(tr("ENR uncertainty of the measurement source (k = 2)"));
    meas_vswr_ = bench_number(vswr_as_calibration, 10, 2, QString(), "measVswr", rows);
    meas_vswr_->setPrefix(tr("VSWR "));
    meas_vswr_->setSpecialValueText(tr("VSWR as cal. source"));
    meas_vswr_->setToolTip(tr("Match of the measurement source"));
    v->addWidget(source_);
    v->addWidget(
        labelled_rows({{tr("ENR"), row_of_widgets({meas_enr_, meas_table_open_}, rows)}}, rows));
    v->addWidget(meas_table_);
    v->addWidget(labelled_rows({{tr("Uncertainty"), meas_unc_}, {tr("Match"), meas_vswr_}}, rows));

    connect(source_, &QComboBox::currentIndexChanged, this, &BenchBox::choose_source_kind);
    connect(meas_enr_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        planning::BenchInput b = shown_;
        if (b.meas_source) b.meas_source->enr_db = v;
        offer(std::move(b));
    });
    connect(meas_unc_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        planning::BenchInput b = shown_;
        if (b.meas_source)
            b.meas_source->enr_unc_db = v > unc_as_calibration ? std::optional(v) : std::nullopt;
        offer(std::move(b));
    });
    connect(meas_vswr_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        planning::BenchInput b = shown_;
        if (b.meas_source)
            b.meas_source->gamma = v > vswr_as_calibration
                                       ? std::optional(measure::reflection(std::max(v, 1.0), true))
                                       : std::nullopt;
        offer(std::move(b));
    });
    connect(meas_table_open_, &QPushButton::clicked, this, [this] {
        const QString path =
            QFileDialog::getOpenFileName(this, tr("ENR Table of the Measurement Source"), QString(),
                                         tr("ENR tables (*.enr);;All files (*)"));
        if (!path.isEmpty()) load_meas_enr_table(path);
    });
    return rows;
}

// Another kind of measurement source keeps the uncertainty and match given
// for the one before.
void BenchBox::choose_source_kind(int index) {
    planning::BenchInput b = shown_;
    if (index == calibration_source) {
        b.meas_source.reset();
        offer(std::move(b));
        return;
    }
    planning::MeasurementSourceInput m;
    if (b.meas_source) {
        m.enr_unc_db = b.meas_source->enr_unc_db;
        m.gamma = b.meas_source->gamma;
    }
    if (index == enr_value) {
        m.enr_db = meas_enr_->value();
    } else if (index == enr_table) {
        if (!b.meas_source || !b.meas_source->table) {
            meas_table_open_->click();  // offers the bench once a table is read
            show_bench(shown_);
            return;
        }
        m.table = b.meas_source->table;
    } else {
        m.model = source_->itemText(index).toStdString();
    }
    b.meas_source = std::move(m);
    offer(std::move(b));
}

bool BenchBox::load_loss_file(LossSide side, const QString& path) {
    planning::BenchInput b = shown_;
    try {
        loss_of(b, side).sparameters = datafiles::read_touchstone(path.toStdString());
    } catch (const datafiles::FileError& e) {
        emit refused(QString::fromStdString(e.what()));
        return false;
    }
    offer(std::move(b));
    return true;
}

bool BenchBox::load_meas_enr_table(const QString& path) {
    planning::BenchInput b = shown_;
    planning::MeasurementSourceInput m;
    if (b.meas_source) {
        m.enr_unc_db = b.meas_source->enr_unc_db;
        m.gamma = b.meas_source->gamma;
    }
    try {
        m.table = datafiles::read_enr_file(path.toStdString());
    } catch (const datafiles::FileError& e) {
        emit refused(QString::fromStdString(e.what()));
        return false;
    }
    b.meas_source = std::move(m);
    offer(std::move(b));
    return true;
}

void BenchBox::offer(planning::BenchInput candidate) {
    emit edited(candidate);
}

planning::LossInput& BenchBox::loss_of(planning::BenchInput& bench, LossSide side) const {
    return side == LossSide::before ? bench.loss_in : bench.loss_out;
}

void BenchBox::show_bench(const planning::BenchInput& bench) {
    shown_ = bench;
    show_loss(before_, bench.loss_in);
    show_loss(after_, bench.loss_out);
    show_source(bench.meas_source);
    if (bench.any()) set_expanded(true);
}

void BenchBox::show_loss(const LossRow& row, const planning::LossInput& loss) {
    const QSignalBlocker q1(row.loss), q2(row.temperature), q3(row.unc);
    row.loss->setValue(loss.loss_db);
    row.loss->setEnabled(!loss.sparameters);
    row.temperature->setValue(loss.temperature_k);
    row.unc->setValue(loss.unc_db);
    show_file_name(*row.file, tr("From %1"), loss.sparameters ? loss.sparameters->name() : "");
    row.clear->setEnabled(loss.given() || loss.temperature_k != measure::T0);
}

void BenchBox::show_source(const std::optional<planning::MeasurementSourceInput>& source) {
    const QSignalBlocker q1(source_), q2(meas_enr_), q3(meas_unc_), q4(meas_vswr_);
    int index = calibration_source;
    if (source) {
        index = source->table            ? enr_table
                : !source->model.empty() ? source_->findText(ui::qstring(source->model))
                                         : enr_value;
    }
    source_->setCurrentIndex(index);
    if (source && source->enr_db) meas_enr_->setValue(*source->enr_db);
    meas_enr_->setEnabled(index == enr_value);
    show_file_name(*meas_table_, tr("ENR table: %1"),
                   source && source->table ? source->table->name() : "");
    const bool separate = source.has_value();
    meas_unc_->setEnabled(separate);
    meas_vswr_->setEnabled(separate);
    meas_unc_->setValue(separate && source->enr_unc_db ? *source->enr_unc_db : unc_as_calibration);
    meas_vswr_->setValue(separate && source->gamma ? measure::vswr_from_reflection(*source->gamma)
                                                   : vswr_as_calibration);
}

bool BenchBox::expanded() const {
    return body_->isVisibleTo(this);
}

void BenchBox::set_expanded(bool open) {
    const QSignalBlocker quiet(heading_);
    heading_->setChecked(open);
    heading_->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
    body_->setVisible(open);
}

}  // namespace orlavex::planner
