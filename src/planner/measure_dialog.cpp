#include "planner/measure_dialog.h"

#include "planner/measure_control.h"
#include "planner/profile_choice.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <chrono>
#include <future>

namespace orlavex::planner {

namespace {

// The ways of switching the source, as the combo box lists them.
struct SourceKind {
    const char* text;
    const char* prefix;  // of the run's source choice
    const char* detail;  // what the line beside asks for; none when null
};

constexpr SourceKind source_kinds[] = {
    {"Analyzer's noise-source drive", "analyzer", nullptr},
    {"Power supply at", "supply:", "TCPIP::HOST::PORT::SOCKET"},
    {"Command", "command:", "switch-source {state}"},
    {"Ask me to switch it", "prompt", nullptr},
};

QDoubleSpinBox* ghz_box(QWidget* parent, double value) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(0.001, 1000);
    box->setDecimals(4);
    box->setSuffix(QStringLiteral(" GHz"));
    box->setValue(value);
    return box;
}

// EDIT wide enough to show a resource string whole (the dialog grows to hold
// it, at any scale).
void fit_resource(QLineEdit* edit) {
    const QString longest = QStringLiteral("TCPIP::192.168.100.200::5025::SOCKET");
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(longest + QStringLiteral("MM")));
}

// A label whose mnemonic moves the focus to BUDDY.
QLabel* label_for(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, buddy->parentWidget());
    label->setBuddy(buddy);
    return label;
}

}  // namespace

MeasureDialog::MeasureDialog(std::function<app::SweepRequest()> request, QWidget* parent)
    : QDialog(parent), request_(std::move(request)), progress_timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("measureDialog"));
    setWindowTitle(tr("Measure - Orlavex Planner"));
    ask_ = [this](const QString& question) {
        return QMessageBox::question(this, tr("Measure"), question,
                                     QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    };
    auto* layout = new QVBoxLayout(this);
    // One form for the bench and the band: their labels in one column.
    auto* choices = new QWidget(this);
    auto* form = new QFormLayout(choices);
    form->setContentsMargins(0, 0, 0, 0);
    build_bench(choices, form);
    build_band(choices, form);
    layout->addWidget(choices);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("measureProgress"));
    progress_->setRange(0, 1);
    progress_->setValue(0);
    layout->addWidget(progress_);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("measureStatus"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(status_);

    auto* buttons = new QDialogButtonBox(this);
    measure_ = buttons->addButton(tr("&Measure"), QDialogButtonBox::ActionRole);
    cancel_ = buttons->addButton(tr("&Cancel Run"), QDialogButtonBox::ActionRole);
    save_ = buttons->addButton(tr("&Save Readings..."), QDialogButtonBox::ActionRole);
    report_ = buttons->addButton(tr("&Report..."), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    layout->addWidget(buttons);
    connect(measure_, &QPushButton::clicked, this, &MeasureDialog::start);
    connect(cancel_, &QPushButton::clicked, this, &MeasureDialog::cancel);
    connect(save_, &QPushButton::clicked, this, [this] {
        QString path = QFileDialog::getSaveFileName(this, tr("Save Readings"), QString(),
                                                    tr("Readings (*.csv)"));
        if (path.isEmpty()) return;
        if (!path.endsWith(QStringLiteral(".csv"))) path += QStringLiteral(".csv");
        const QString why = save_readings(path);
        set_status(why.isEmpty() ? tr("Readings saved in %1.").arg(path) : why);
    });
    connect(report_, &QPushButton::clicked, this, &MeasureDialog::report_asked);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(progress_timer_, &QTimer::timeout, this, &MeasureDialog::show_progress);
    progress_timer_->setInterval(100);
    show_running(false);
}

MeasureDialog::~MeasureDialog() {
    if (thread_ == nullptr) return;
    // The run ends at its next step and switches the source off first.
    control_->cancel();
    thread_->wait();
    delete thread_;
}

void MeasureDialog::build_bench(QWidget* box, QFormLayout* form) {
    analyzer_ = new QLineEdit(box);
    analyzer_->setObjectName(QStringLiteral("analyzerResource"));
    analyzer_->setPlaceholderText(QStringLiteral("TCPIP::192.168.0.10::5025::SOCKET"));
    fit_resource(analyzer_);
    test_ = new QPushButton(tr("&Test Connection"), box);
    auto* analyzer_row = new QHBoxLayout;
    analyzer_row->addWidget(analyzer_, 1);
    analyzer_row->addWidget(test_);
    form->addRow(label_for(tr("&Analyzer:"), analyzer_), analyzer_row);
    identity_ = new QLabel(box);
    identity_->setObjectName(QStringLiteral("analyzerIdentity"));
    identity_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    identity_->setWordWrap(true);
    form->addRow(QString(), identity_);
    connect(test_, &QPushButton::clicked, this, &MeasureDialog::test_connection);

    profile_ = new QComboBox(box);
    profile_->setObjectName(QStringLiteral("analyzerProfile"));
    fill_profile_choice(*profile_, instruments::ProfileKind::analyzer);
    auto* file = new QPushButton(tr("&File..."), box);
    auto* profile_row = new QHBoxLayout;
    profile_row->addWidget(profile_, 1);
    profile_row->addWidget(file);
    form->addRow(label_for(tr("&Profile:"), profile_), profile_row);
    connect(file, &QPushButton::clicked, this,
            [this] { choose_profile_file(this, tr("Analyzer Profile"), *profile_); });

    source_ = new QComboBox(box);
    source_->setObjectName(QStringLiteral("sourceSwitch"));
    for (const SourceKind& kind : source_kinds)
        source_->addItem(tr(kind.text));
    source_detail_ = new QLineEdit(box);
    source_detail_->setObjectName(QStringLiteral("sourceDetail"));
    fit_resource(source_detail_);
    auto* source_row = new QHBoxLayout;
    source_row->addWidget(source_);
    source_row->addWidget(source_detail_, 1);
    form->addRow(label_for(tr("&Noise source:"), source_), source_row);
    connect(source_, &QComboBox::currentIndexChanged, this, &MeasureDialog::source_changed);

    supply_profile_ = new QComboBox(box);
    supply_profile_->setObjectName(QStringLiteral("supplyProfile"));
    fill_profile_choice(*supply_profile_, instruments::ProfileKind::supply);
    supply_file_ = new QPushButton(tr("F&ile..."), box);
    auto* supply_row = new QHBoxLayout;
    supply_row->addWidget(supply_profile_, 1);
    supply_row->addWidget(supply_file_);
    form->addRow(label_for(tr("S&upply profile:"), supply_profile_), supply_row);
    connect(supply_file_, &QPushButton::clicked, this,
            [this] { choose_profile_file(this, tr("Supply Profile"), *supply_profile_); });
    source_changed();
}

void MeasureDialog::build_band(QWidget* box, QFormLayout* form) {
    from_ = ghz_box(box, 1);
    to_ = ghz_box(box, 2);
    auto* band = new QHBoxLayout;
    band->addWidget(from_);
    band->addWidget(label_for(tr("t&o"), to_));
    band->addWidget(to_);
    band->addStretch(1);
    form->addRow(label_for(tr("&From:"), from_), band);
    points_ = new QSpinBox(box);
    points_->setRange(1, 100000);
    repeat_ = new QSpinBox(box);
    repeat_->setRange(1, 1000);
    repeat_->setToolTip(tr("Readings of each level at each frequency"));
    auto* counts = new QHBoxLayout;
    counts->addWidget(points_);
    counts->addWidget(label_for(tr("&Repeat:"), repeat_));
    counts->addWidget(repeat_);
    counts->addStretch(1);
    form->addRow(label_for(tr("Poi&nts:"), points_), counts);
    timeout_ = new QDoubleSpinBox(box);
    timeout_->setRange(0.01, 3600);
    timeout_->setValue(10);
    timeout_->setSuffix(QStringLiteral(" s"));
    auto* timeout_row = new QHBoxLayout;
    timeout_row->addWidget(timeout_);
    timeout_row->addStretch(1);
    form->addRow(label_for(tr("&Timeout:"), timeout_), timeout_row);
    ask_box_ = new QCheckBox(tr("As&k before the calibration and the DUT"), box);
    ask_box_->setChecked(true);
    form->addRow(QString(), ask_box_);
}

void MeasureDialog::source_changed() {
    const SourceKind& kind = source_kinds[std::max(0, source_->currentIndex())];
    source_detail_->setEnabled(kind.detail != nullptr);
    source_detail_->setPlaceholderText(kind.detail ? QString::fromLatin1(kind.detail) : QString());
    // Only a supply takes a profile of its own.
    const bool supply = QString::fromLatin1(kind.prefix) == QStringLiteral("supply:");
    supply_profile_->setEnabled(supply);
    supply_file_->setEnabled(supply);
}

session::MeasureChoices MeasureDialog::choices() const {
    session::MeasureChoices c;
    c.analyzer = analyzer_->text().trimmed().toStdString();
    c.profile = profile_->currentText().toStdString();
    const SourceKind& kind = source_kinds[std::max(0, source_->currentIndex())];
    c.source = kind.prefix;
    if (kind.detail) c.source += source_detail_->text().trimmed().toStdString();
    c.supply_profile = supply_profile_->currentText().toStdString();
    c.from_ghz = from_->value();
    c.to_ghz = to_->value();
    c.points = static_cast<std::size_t>(points_->value());
    c.repeat = static_cast<std::size_t>(repeat_->value());
    c.timeout_s = timeout_->value();
    c.ask = ask_box_->isChecked();
    return c;
}

void MeasureDialog::set_choices(const session::MeasureChoices& c) {
    analyzer_->setText(QString::fromStdString(c.analyzer));
    show_profile(*profile_, QString::fromStdString(c.profile));
    show_profile(*supply_profile_, QString::fromStdString(c.supply_profile));
    for (int i = 0; i < static_cast<int>(std::size(source_kinds)); ++i) {
        const std::string prefix = source_kinds[i].prefix;
        if (!c.source.starts_with(prefix)) continue;
        source_->setCurrentIndex(i);
        source_detail_->setText(QString::fromStdString(c.source.substr(prefix.size())));
    }
    from_->setValue(c.from_ghz);
    to_->setValue(c.to_ghz);
    points_->setValue(static_cast<int>(c.points));
    repeat_->setValue(static_cast<int>(c.repeat));
    timeout_->setValue(c.timeout_s);
    ask_box_->setChecked(c.ask);
}

void MeasureDialog::set_asker(std::function<bool(const QString&)> ask) {
    ask_ = std::move(ask);
}

QString MeasureDialog::test_connection() {
    const auto [ok, text] =
        session::identify(analyzer_->text().trimmed().toStdString(), timeout_->value());
    const QString shown = ok ? QString::fromStdString(text)
                             : tr("No connection: %1").arg(QString::fromStdString(text));
    identity_->setText(shown);
    return shown;
}

QString MeasureDialog::status() const {
    return status_->text();
}

void MeasureDialog::set_status(const QString& text) {
    status_->setText(text);
}

void MeasureDialog::show_running(bool running) {
    measure_->setEnabled(!running);
    test_->setEnabled(!running);
    cancel_->setEnabled(running);
    save_->setEnabled(!running && !readings_.isEmpty());
    report_->setEnabled(!running && !readings_.isEmpty());
}

void MeasureDialog::closeEvent(QCloseEvent* event) {
    if (running()) {
        set_status(tr("Cancel the run before closing."));
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace orlavex::planner
