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

}  // namespace

Touchstone TouchstoneBuilder::build(TouchstoneParts parts) {
    if (parts.ports == 1) parts.reference_ohms[1] = parts.reference_ohms[0];
    Touchstone file;
    file.name_ = parts.name;
    file.ports_ = parts.ports;
    file.version_ = parts.version;
    file.format_ = parts.format;
    file.reference_ohms_ = parts.reference_ohms;
    file.noise_lines_ignored_ = parts.noise_lines;
    if (parts.reference_ohms == std::array<double, 2>{standard_ohms, standard_ohms}) {
        file.at_50_ohms_ = parts.records;
    } else {
        file.at_50_ohms_.reserve(parts.records.size());
        for (const TouchstoneRecord& record : parts.records) {
            file.at_50_ohms_.push_back(at_50_ohms(record, parts));
        }
    }
    file.records_ = std::move(parts.records);
    return file;
}

std::string Touchstone::reference_note() const {
    const auto [port1, port2] = reference_ohms_;
    if (port1 == standard_ohms && port2 == standard_ohms) return {};
    if (port1 == port2) return "referred to 50 ohms from " + ohms_text(port1);
    return "referred to 50 ohms from " + ohms_text(port1) + " (port 1) and " + ohms_text(port2) +
           " (port 2)";
}

std::string DutPoint::note() const {
    if (reference_note.empty()) return applied.note();
    return applied.note() + "; " + reference_note;
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

}  // namespace orlavex::datafiles
