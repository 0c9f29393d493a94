// Noise-source calibration tables (.enr): ENR and its uncertainty against
// frequency, and the source's reflection in its on and off states.
//
// The file: text, lines under 100 characters. Blank lines are ignored; a line
// starting with '#' or '!' is a comment; a line starting with '[' is a header
// field "[Name value]" ([Filetype ENR], [Serialnumber ...], [Model ...]; a
// Filetype other than ENR is refused). Every other line is a record, in
// strictly rising frequency:
//
//   Freq [Funit] ENR [dB] [Euncert [on_mag on_deg off_mag off_deg [...]]]
//
// with fields separated by blanks or one comma; Funit is Hz (the default),
// kHz, MHz, GHz or THz in any letter case; ENR and its uncertainty in dB; the
// reflection as magnitude (0 to 1) and angle in degrees. Every record has the
// columns of the first one; numbers after the four reflection columns are
// read as numbers and otherwise ignored. A line that separates numbers by
// blanks and also holds a comma between digits ("1e9 15,2 0,1") is refused
// as written with decimal commas.
//
// Frequencies are in Hz throughout. Between records ENR and uncertainty (in
// dB) are linear in frequency. The reflections are given two ways: as
// magnitude and angle, the magnitudes linear in frequency and the angles
// turning along the shorter arc (what the source match is taken from, the
// larger of the two magnitudes); and as complex reflection coefficients,
// linear in their real and imaginary parts (what a calculation with known
// phases takes). Outside the table the nearest record holds and the lookup
// says so.
#pragma once

#include "datafiles/lookup.h"

#include <algorithm>
#include <complex>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orlavex::datafiles {

// The source's reflection coefficient in its on and off states.
struct SourceReflection {
    double on_mag;
    double on_deg;  // (-180, 180] after interpolation; as written in a record
    double off_mag;
    double off_deg;

    // The worse of the two, which stands for the source match.
    double larger_magnitude() const { return std::max(on_mag, off_mag); }
    // The reflection coefficients as complex numbers.
    std::complex<double> on() const;
    std::complex<double> off() const;
};

// The source's reflection coefficients in its on and off states.
struct SourceGamma {
    std::complex<double> on;
    std::complex<double> off;
};

struct EnrRecord {
    double freq_hz;
    double enr_db;
    std::optional<double> enr_unc_db;
    std::optional<SourceReflection> reflection;
    int line;  // in the file
};

struct HeaderField {
    std::string name;   // as written, e.g. "Serialnumber"
    std::string value;  // the rest of the field, blanks around it removed; bytes that
                        // are not UTF-8 (a Latin-1 file) become U+FFFD
    int line;
};

// The table at one frequency.
struct EnrPoint {
    double freq_hz;
    double enr_db;
    std::optional<double> enr_unc_db;            // when the table has the column
    std::optional<SourceReflection> reflection;  // when the table has the columns
    AppliedRecords applied;                      // which records; in range or not; note()
    std::optional<SourceGamma> gamma;            // the reflection again, as complex numbers
};

class EnrTable {
  public:
    const std::string& name() const { return name_; }
    std::span<const EnrRecord> records() const { return records_; }  // never empty
    std::span<const HeaderField> header_fields() const { return header_; }
    // The value of the first header field of that name, in any letter case.
    std::optional<std::string_view> header(std::string_view field_name) const;

    bool has_uncertainty() const { return records_.front().enr_unc_db.has_value(); }
    bool has_reflection() const { return records_.front().reflection.has_value(); }
    double first_freq_hz() const { return records_.front().freq_hz; }
    double last_freq_hz() const { return records_.back().freq_hz; }

    // Throws std::invalid_argument for a frequency that is not finite.
    EnrPoint at(double freq_hz) const;

  private:
    friend EnrTable parse_enr(std::string_view text, std::string_view name);
    friend EnrTable read_enr_file(const std::filesystem::path& path);
    EnrTable(std::string name, std::vector<HeaderField> header, std::vector<EnrRecord> records)
        : name_(std::move(name)), header_(std::move(header)), records_(std::move(records)) {}

    std::string name_;
    std::vector<HeaderField> header_;
    std::vector<EnrRecord> records_;
};

// Reads an ENR table from text; `name` names it in messages (a file name).
// Throws FileError for anything that is not a valid table.
EnrTable parse_enr(std::string_view text, std::string_view name);

// Reads an ENR table from a file; messages name the path as given.
EnrTable read_enr_file(const std::filesystem::path& path);

}  // namespace orlavex::datafiles
