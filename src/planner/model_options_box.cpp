#include "planner/model_options_box.h"

#include "app/inputs/reflection_text.h"
#include "ui/qstring.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <memory>
#include <optional>
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

// A reflection typed as MAG@DEG, each number in the locale's form or the C
// locale's (as the command line takes it); none for anything else or one
// out of range.
std::optional<std::complex<double>> typed_reflection(const QString& text, const QLocale& locale) {
    const QStringList parts = text.split(QLatin1Char('@'));
    if (parts.size() != 2) return std::nullopt;
    std::array<double, 2> numbers{};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const QString part = parts[static_cast<qsizetype>(i)].trimmed();
        bool ok = false;
        numbers[i] = QLocale::c().toDouble(part, &ok);
        if (!ok) numbers[i] = locale.toDouble(part, &ok);
        if (!ok) return std::nullopt;
    }
    return app::reflection_of(numbers[0], numbers[1]);
}

QString reflection_shown(const std::optional<std::complex<double>>& gamma) {
    return gamma ? ui::qstring(app::reflection_text(*gamma)) : QString();
}

}  // namespace

ModelOptionsBox::ModelOptionsBox(QWidget* parent) : QGroupBox(tr("Measurement model"), parent) {
    setObjectName(QStringLiteral("modelOptions"));
    auto* form = new QFormLayout(this);
    for (const app::ModelInput& row : app::model_inputs) {
        if (!shown_here(row)) continue;
        if (row.kind == app::ModelValue::choice) {
            add_choice(*form, row);
        } else {
            add_number(*form, row);
        }
    }
    auto* heading = new QLabel(tr("Known reflections, where no file gives them:"), this);
    heading->setObjectName(QStringLiteral("typedReflections"));
    heading->setWordWrap(true);
    form->addRow(heading);
    const std::size_t first_typed = controls_.size();
    for (const app::ModelInput& row : app::typed_reflection_inputs) {
        if (row.kind == app::ModelValue::reflection) {
            add_reflection(*form, row);
        } else {
            add_number(*form, row);
        }
    }
    known_only_.push_back(heading);
    for (std::size_t i = first_typed; i < controls_.size(); ++i) {
        known_only_.push_back(controls_[i].widget);
        known_only_.push_back(form->labelForField(controls_[i].widget));
    }
    connect(this, &ModelOptionsBox::changed, this, &ModelOptionsBox::show_known_rows);
    set_options({});
}

void ModelOptionsBox::add_choice(QFormLayout& form, const app::ModelInput& row) {
    auto* list = new QComboBox(this);
    for (std::string_view choice : row.choice->names)
        list->addItem(ui::qstring(choice));
    connect(list, &QComboBox::currentIndexChanged, this, &ModelOptionsBox::changed);
    controls_.push_back({list,
                         [list, &row](const measure::ModelOptions& m) {
                             list->setCurrentIndex(static_cast<int>(row.choice->get(m)));
                         },
                         [list, &row](measure::ModelOptions& m) {
                             row.choice->set(
                                 m, static_cast<std::size_t>(std::max(0, list->currentIndex())));
                         }});
    list->setObjectName(ui::qstring(row.name));
    list->setToolTip(ui::qstring(row.help));
    form.addRow(ui::qstring(row.label), list);
}

void ModelOptionsBox::add_number(QFormLayout& form, const app::ModelInput& row) {
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
    box->setObjectName(ui::qstring(row.name));
    box->setToolTip(ui::qstring(row.help));
    form.addRow(ui::qstring(row.label), box);
}

// The field holds the reflection last taken; text that is not one is
// refused when the typing is done, and the field shows that one again.
void ModelOptionsBox::add_reflection(QFormLayout& form, const app::ModelInput& row) {
    auto* field = new QLineEdit(this);
    field->setPlaceholderText(tr("none"));
    field->setAlignment(Qt::AlignRight);
    auto taken = std::make_shared<std::optional<std::complex<double>>>();
    connect(field, &QLineEdit::editingFinished, this, [this, field, taken, &row] {
        const QString text = field->text().trimmed();
        const std::optional<std::complex<double>> typed =
            text.isEmpty() ? std::nullopt : typed_reflection(text, locale());
        field->setText(reflection_shown(text.isEmpty() || typed ? typed : *taken));
        if (!text.isEmpty() && !typed) {
            emit refused(ui::qstring(row.label) + QStringLiteral(" \"") + text +
                         QStringLiteral("\": ") + ui::qstring(app::reflection_rule));
            return;
        }
        if (typed == *taken) return;
        *taken = typed;
        emit changed();
    });
    controls_.push_back({field,
                         [field, taken, &row](const measure::ModelOptions& m) {
                             *taken = m.*row.reflection;
                             field->setText(reflection_shown(*taken));
                         },
                         [taken, &row](measure::ModelOptions& m) { m.*row.reflection = *taken; }});
    field->setObjectName(ui::qstring(row.name));
    field->setToolTip(ui::qstring(row.help));
    form.addRow(ui::qstring(row.label), field);
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
    show_known_rows();
}

void ModelOptionsBox::show_known_rows() {
    const bool known = options().reflections == measure::ReflectionModel::known;
    for (QWidget* widget : known_only_)
        widget->setEnabled(known);
}

}  // namespace orlavex::planner
