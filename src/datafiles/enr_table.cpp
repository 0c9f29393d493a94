#include "datafiles/enr_table.h"

#include "datafiles/numbers.h"
#include "datafiles/polar_form.h"

#include <cmath>

namespace orlavex::datafiles {
namespace {

// An angle in degrees brought into (-180, 180].
double principal_degrees(double deg) {
    double wrapped = std::fmod(deg, 360.0);
    if (wrapped > 180) wrapped -= 360;
    if (wrapped <= -180) wrapped += 360;
    return wrapped;
}

// Turns from one angle towards the other along the shorter arc.
double interpolate_angle(const AppliedRecords& applied, double lower_deg, double upper_deg) {
    const double from = principal_degrees(lower_deg);
    const double turn = principal_degrees(principal_degrees(upper_deg) - from);
    return principal_degrees(applied.interpolate(from, from + turn));
}

SourceReflection interpolate(const AppliedRecords& applied, const SourceReflection& lower,
                             const SourceReflection& upper) {
    return {applied.interpolate(lower.on_mag, upper.on_mag),
            interpolate_angle(applied, lower.on_deg, upper.on_deg),
            applied.interpolate(lower.off_mag, upper.off_mag),
            interpolate_angle(applied, lower.off_deg, upper.off_deg)};
}

std::complex<double> interpolate(const AppliedRecords& applied, std::complex<double> lower,
                                 std::complex<double> upper) {
    return {applied.interpolate(lower.real(), upper.real()),
            applied.interpolate(lower.imag(), upper.imag())};
}

std::complex<double> coefficient(double mag, double deg) {
    return polar_degrees(mag, deg);
}

}  // namespace

std::complex<double> SourceReflection::on() const {
    return coefficient(on_mag, on_deg);
}

std::complex<double> SourceReflection::off() const {
    return coefficient(off_mag, off_deg);
}

std::optional<std::string_view> EnrTable::header(std::string_view field_name) const {
    for (const HeaderField& field : header_) {
        if (equal_ignoring_case(field.name, field_name)) return field.value;
    }
    return std::nullopt;
}

EnrPoint EnrTable::at(double freq_hz) const {
    const AppliedRecords applied = locate(records(), freq_hz);
    const EnrRecord& lower = records_[applied.lower.index];
    const EnrRecord& upper = records_[applied.upper.index];
    EnrPoint point{freq_hz,      applied.interpolate(lower.enr_db, upper.enr_db),
                   std::nullopt, std::nullopt,
                   applied,      std::nullopt};
    if (has_uncertainty()) {
        point.enr_unc_db = applied.interpolate(*lower.enr_unc_db, *upper.enr_unc_db);
    }
    if (has_reflection()) {
        point.reflection = applied.placement == Placement::between_records
                               ? interpolate(applied, *lower.reflection, *upper.reflection)
                               : *lower.reflection;
        const SourceReflection& below = *lower.reflection;
        const SourceReflection& above = *upper.reflection;
        point.gamma = SourceGamma{interpolate(applied, below.on(), above.on()),
                                  interpolate(applied, below.off(), above.off())};
    }
    return point;
}

}  // namespace orlavex::datafiles
