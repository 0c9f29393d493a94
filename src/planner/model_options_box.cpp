#include "planner/model_options_box.h"

#include "app/inputs/model_inputs.h"
#include "ui/qstring.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QSignalBlocker>

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace orlavex::planner {

namespace {

// The rows the jitter box shows with controls of its own.
constexpr std::array shown_elsewhere{std::string_view("noise_bw"), std::string_view("tau")};

// What a number box holds: a number row's values and a little beyond what
// an engineer types; an optional one has "none" just below them.
constexpr double highest_number = 1000;
constexpr int number_decimals = 3;

bool shown_here(const app::ModelInput& row) {
    return !row.monte_carlo &&
           std::ranges::find(shown_elsewhere, row.name) == shown_elsewhere.end();
}

QDoubleSpinBox* number_box(const app::ModelInput& row, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    const bool optional = row.kind == app::ModelValue::optional_number;
    const double step = std::pow(10.0, -number_decimals);
    box->setRange(optional ? -highest_number - step : 0, highest_number);
    box->setDecimals(number_decimals);
    if (optional) box->setSpecialValueText(QObject::tr("none"));
    if (!row.unit.empty()) box->setSuffix(QStringLiteral(" ") + ui::qstring(row.unit));
    box->setKeyboardTracking(false);
    box->setAlignment(Qt::AlignRight);
    return box;
}

}  // namespace

ModelOptionsBox::ModelOptionsBox(QWidget* parent) : QGroupBox(tr("Measurement model"), parent) {
    setObjectName(QStringLiteral("modelOptions"));
    auto* form = new QFormLayout(this);
    for (const app::ModelInput& row : app::model_inputs) {
        if (!shown_here(row)) continue;
        const QString name = ui::qstring(row.name);
        if (row.kind == app::ModelValue::choice) {
            auto* list = new QComboBox(this);
            for (std::string_view choice : row.choice->names)
                list->addItem(ui::qstring(choice));
            connect(list, &QComboBox::currentIndexChanged, this, &ModelOptionsBox::changed);
            controls_.push_back({list,
                                 [list, &row](const measure::ModelOptions& m) {
                                     list->setCurrentIndex(static_cast<int>(row.choice->get(m)));
                                 },
                                 [list, &row](measure::ModelOptions& m) {
                                     row.choice->set(m, static_cast<std::size_t>(
                                                            std::max(0, list->currentIndex())));
                                 }});
            list->setObjectName(name);
            list->setToolTip(ui::qstring(row.help));
            form->addRow(ui::qstring(row.label), list);
            continue;
        }
        QDoubleSpinBox* box = number_box(row, this);
        connect(box, &QDoubleSpinBox::valueChanged, this, &ModelOptionsBox::changed);
        if (row.kind == app::ModelValue::optional_number) {
            controls_.push_back({box,
                                 [box, &row](const measure::ModelOptions& m) {
                                     const auto& value = m.*row.optional;
                                     box->setValue(value ? *value : box->minimum());
                                 },
                                 [box, &row](measure::ModelOptions& m) {
                                     m.*row.optional = box->value() == box->minimum()
                                                           ? std::nullopt
                                                           : std::optional<double>(box->value());
                                 }});
        } else {
            controls_.push_back(
                {box, [box, &row](const measure::ModelOptions& m) { box->setValue(m.*row.number); },
                 [box, &row](measure::ModelOptions& m) { m.*row.number = box->value(); }});
        }
        box->setObjectName(name);
        box->setToolTip(ui::qstring(row.help));
        form->addRow(ui::qstring(row.label), box);
    }
    set_options({});
}

measure::ModelOptions ModelOptionsBox::options() const {
    measure::ModelOptions m = shown_;
    for (const Control& control : controls_)
        control.read(m);
    return m;
}

void ModelOptionsBox::set_options(const measure::ModelOptions& options) {
    shown_ = options;
    for (const Control& control : controls_) {
        const QSignalBlocker quiet(control.widget);
        control.show(options);
    }
}

}  // namespace orlavex::planner
