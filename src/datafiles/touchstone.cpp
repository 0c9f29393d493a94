#include "datafiles/touchstone.h"

#include "datafiles/file_error.h"
#include "datafiles/numbers.h"
#include "datafiles/touchstone_parts.h"
#include "measure/reference_impedance.h"

#include <cmath>

namespace orlavex::datafiles {
namespace {

constexpr double standard_ohms = 50;

std::string ohms_text(double ohms) {
    return number_text(ohms) + " ohms";
}

std::string from_note(double ohms) {
    return "referred to 50 ohms from " + ohms_text(ohms);
}

TouchstoneRecord at_50_ohms(const TouchstoneRecord& record, const TouchstoneParts& parts) {
    const auto s = measure::renormalise({record.s11, record.s21, record.s12, record.s22},
                                        parts.reference_ohms, standard_ohms);
    if (!s) {
        throw FileError(parts.name, record.line,
                        "the S-parameters at " + frequency_text(record.freq_hz) +
                            " cannot be referred to 50 ohms (the network's impedance matrix is "
                            "singular there): expected a network with S-parameters at 50 ohms");
    }
    if (parts.ports == 2 && !std::isnormal(std::norm(s->s21))) {
        throw FileError(parts.name, record.line,
                        "|S21| at 50 ohms of " + number_text(std::abs(s->s21)) + " at " +
                            frequency_text(record.freq_hz) +
                            ": expected a DUT gain |S21|^2 above 0 and finite");
    }
    return {record.freq_hz, s->s11, s->s21, s->s12, s->s22, record.line};
}

// Rn in ohms and the optimum source impedance stay as they are: against 50
// ohms rn scales with the reference and Gamma_opt is that impedance's
// reflection there.
NoiseRecord noise_at_50_ohms(const NoiseRecord& record, const TouchstoneParts& parts) {
    const double ohms = parts.reference_ohms[0];
    const auto s = measure::renormalise({record.gamma_opt, 0, 0, 0}, {ohms, ohms}, standard_ohms);
    const double rn = record.rn * (ohms / standard_ohms);
    if (!s || !(std::abs(s->s11) < 1) || !std::isfinite(rn)) {
        throw FileError(parts.name, record.line,
                        "the noise parameters at " + frequency_text(record.freq_hz) +
                            " cannot be referred to 50 ohms from " + ohms_text(ohms) +
                            ": expected |Gamma_opt| below 1 and rn finite there");
    }
    return {record.freq_hz, record.nfmin_db, s->s11, rn, record.line};
}

}  // namespace

Touchstone TouchstoneBuilder::build(TouchstoneParts parts) {
    if (parts.ports == 1) parts.reference_ohms[1] = parts.reference_ohms[0];
    Touchstone file;
    file.name_ = parts.name;
    file.ports_ = parts.ports;
    file.version_ = parts.version;
    file.format_ = parts.format;
    file.reference_ohms_ = parts.reference_ohms;
    if (parts.reference_ohms == std::array<double, 2>{standard_ohms, standard_ohms}) {
        file.at_50_ohms_ = parts.records;
        file.noise_at_50_ohms_ = parts.noise;
    } else {
        file.at_50_ohms_.reserve(parts.records.size());
        for (const TouchstoneRecord& record : parts.records) {
            file.at_50_ohms_.push_back(at_50_ohms(record, parts));
        }
        file.noise_at_50_ohms_.reserve(parts.noise.size());
        for (const NoiseRecord& record : parts.noise) {
            file.noise_at_50_ohms_.push_back(noise_at_50_ohms(record, parts));
        }
    }
    file.records_ = std::move(parts.records);
    file.noise_records_ = std::move(parts.noise);
    return file;
}

std::string Touchstone::reference_note() const {
    const auto [port1, port2] = reference_ohms_;
    if (port1 == standard_ohms && port2 == standard_ohms) return {};
    if (port1 == port2) return from_note(port1);
    return from_note(port1) + " (port 1) and " + ohms_text(port2) + " (port 2)";
}

std::string DutPoint::note() const {
    if (reference_note.empty()) return applied.note();
    return applied.note() + "; " + reference_note;
}

std::string NoisePoint::note() const {
    std::string text = "noise parameters " + applied.note();
    if (!reference_note.empty()) text += "; " + reference_note;
    return text;
}

DutPoint Touchstone::at(double freq_hz) const {
    const AppliedRecords applied = locate(records_at_50_ohms(), freq_hz);
    const TouchstoneRecord& lower = at_50_ohms_[applied.lower.index];
    const TouchstoneRecord& upper = at_50_ohms_[applied.upper.index];
    DutPoint point{freq_hz,         std::nullopt,
                   std::nullopt,    applied.interpolate(std::abs(lower.s11), std::abs(upper.s11)),
                   std::nullopt,    applied,
                   reference_note()};
    if (ports_ == 2) {
        const double gain_db = applied.interpolate(10 * std::log10(std::norm(lower.s21)),
                                                   10 * std::log10(std::norm(upper.s21)));
        point.gain_db = gain_db;
        point.gain = std::pow(10.0, gain_db / 10);
        point.output_match = applied.interpolate(std::abs(lower.s22), std::abs(upper.s22));
    }
    return point;
}

std::optional<NoisePoint> Touchstone::noise_at(double freq_hz) const {
    if (noise_at_50_ohms_.empty()) {
        if (!std::isfinite(freq_hz)) {
            throw std::invalid_argument("a table lookup needs a finite frequency");
        }
        return std::nullopt;
    }
    const AppliedRecords applied = locate(noise_records_at_50_ohms(), freq_hz);
    const double port1 = reference_ohms_[0];  // the source's port
    const NoiseRecord& lower = noise_at_50_ohms_[applied.lower.index];
    const NoiseRecord& upper = noise_at_50_ohms_[applied.upper.index];
    const std::complex<double> gamma_opt{
        applied.interpolate(lower.gamma_opt.real(), upper.gamma_opt.real()),
        applied.interpolate(lower.gamma_opt.imag(), upper.gamma_opt.imag())};
    return NoisePoint{freq_hz,   applied.interpolate(lower.nfmin_db, upper.nfmin_db),
                      gamma_opt, applied.interpolate(lower.rn, upper.rn),
                      applied,   port1 == standard_ohms ? std::string() : from_note(port1)};
}

}  // namespace orlavex::datafiles
