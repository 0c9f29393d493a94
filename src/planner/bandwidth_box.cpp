#include "planner/bandwidth_box.h"

#include "session/sweep_inputs.h"

#include <QLineEdit>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace orlavex::planner {

namespace {

struct Unit {
    const char* name;
    double hz;
};

// Largest first: the text is shown in the first unit the value reaches.
constexpr std::array units = {Unit{"MHz", 1e6}, Unit{"kHz", 1e3}, Unit{"Hz", 1}};

std::optional<double> number(const QString& text, const QLocale& locale) {
    bool ok = false;
    double x = locale.toDouble(text, &ok);
    if (!ok) x = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(x)) return std::nullopt;
    return x;
}

}  // namespace

std::optional<double> bandwidth_hz(QString text, const QLocale& locale) {
    text = text.trimmed();
    double scale = 1;
    for (const Unit& unit : units) {
        if (text.endsWith(QLatin1String(unit.name), Qt::CaseInsensitive)) {
            text.chop(qsizetype(std::char_traits<char>::length(unit.name)));
            scale = unit.hz;
            break;
        }
    }
    const std::optional<double> x = number(text.trimmed(), locale);
    if (!x) return std::nullopt;
    return *x * scale;
}

QString bandwidth_text(double hz, const QLocale& locale) {
    for (const Unit& unit : units) {
        if (std::fabs(hz) >= unit.hz || unit.hz == 1) {
            return locale.toString(hz / unit.hz, 'g', 7) + QLatin1Char(' ') +
                   QLatin1String(unit.name);
        }
    }
    return {};
}

BandwidthBox::BandwidthBox(QWidget* parent) : QDoubleSpinBox(parent) {
    setDecimals(session::noise_bw_limit.decimals);
    setRange(session::noise_bw_limit.lo, session::noise_bw_limit.hi);
    setKeyboardTracking(false);
    setAlignment(Qt::AlignRight);
    setSpecialValueText(tr("off"));
    setToolTip(tr("In Hz, kHz or MHz: \"4 MHz\", \"4000 kHz\" or \"4e6\" are alike"));
}

QValidator::State BandwidthBox::validate(QString& text, int& /*pos*/) const {
    if (text == specialValueText()) return QValidator::Acceptable;
    if (const std::optional<double> hz = bandwidth_hz(text, locale());
        hz && *hz >= minimum() && *hz <= maximum())
        return QValidator::Acceptable;
    // Part of a number and a unit, on the way to one.
    const QRegularExpression typing(QStringLiteral("^[-+0-9.,eE ]*[kKmM]?[hH]?[zZ]?$"));
    return typing.match(text).hasMatch() ? QValidator::Intermediate : QValidator::Invalid;
}

double BandwidthBox::valueFromText(const QString& text) const {
    if (text == specialValueText()) return minimum();
    return bandwidth_hz(text, locale()).value_or(value());
}

QString BandwidthBox::textFromValue(double hz) const {
    return bandwidth_text(hz, locale());
}

void BandwidthBox::fixup(QString& text) const {
    if (const std::optional<double> hz = bandwidth_hz(text, locale()))
        text = textFromValue(std::clamp(*hz, minimum(), maximum()));
}

}  // namespace orlavex::planner
