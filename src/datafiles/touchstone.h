// DUT S-parameters from Touchstone files (.s1p, .s2p): per frequency the
// gain |S21|^2, the input match |S11| and the output match |S22|, against 50
// ohms.
//
// Touchstone 1.x: '!' starts a comment, anywhere on a line. The option line
// "# <Hz|kHz|MHz|GHz> S <MA|DB|RI> R <ohms>" (in any order and letter case,
// each part optional, "R50" as well as "R 50"; defaults GHz, MA, 50) comes
// before the data; as Touchstone 1.x has it, a later option line is ignored.
// A record holds the frequency, then S11 for a .s1p, or S11 S21 S12 S22 for a
// .s2p, each as a pair in the declared format: magnitude and angle, dB (20
// log10 of the magnitude) and angle, or real and imaginary part; angles in
// degrees. A record starts on a new line and may continue on the next ones.
// The frequencies rise strictly and are 0 or more. A .s2p may end with a
// noise-parameter block: lines of five numbers (frequency, minimum noise
// figure in dB, optimum source reflection as magnitude and angle in degrees,
// noise resistance rn = Rn / R) that begin where the frequency falls back to
// or below the last S-parameter frequency.
//
// Touchstone 2.0 starts with "[Version] 2.0" and names its parts with
// keywords: [Number of Ports] (1 or 2, as the extension says), [Two-Port
// Data Order] (12_21 or 21_12, for two ports), [Number of Frequencies],
// [Number of Noise Frequencies], [Reference] (one resistance per port,
// overriding R), [Matrix Format] (Full, Lower or Upper), [Begin
// Information]...[End Information] (skipped), [Network Data], [Noise Data]
// and [End]. The counts, when given, must match the data.
//
// Noise parameters, in either version, rise strictly in frequency on their
// own (they may start below, and run past, the network data); NFmin is 0 dB
// or more, |Gamma_opt| below 1 and rn 0 or more. Gamma_opt is against port
// 1's reference resistance R1 and rn is Rn / R1 (Touchstone 1.x normalises
// Rn to the option line's R; a 2.0 file is read the same way, against its
// [Reference] for port 1).
//
// S-parameters against other reference resistances are referred to 50 ohms
// for the lookup; records() keeps them as the file gives them. The noise
// parameters are referred likewise: Rn in ohms, NFmin and the optimum source
// impedance are properties of the DUT whatever the reference, so at 50 ohms
// rn becomes rn R1 / 50 and Gamma_opt the reflection of the same impedance
// against 50 ohms.
//
// Frequencies are in Hz throughout. Between data points the gain in dB and
// the magnitudes |S11| and |S22| are linear in frequency; NFmin in dB, the
// real and imaginary parts of Gamma_opt and rn likewise. Outside the data
// the nearest point holds and the lookup says so.
#pragma once

#include "datafiles/lookup.h"

#include <array>
#include <complex>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orlavex::datafiles {

enum class SParameterFormat { magnitude_angle, db_angle, real_imaginary };

struct TouchstoneRecord {
    double freq_hz;
    std::complex<double> s11;
    std::complex<double> s21;  // S21, S12 and S22 are 0 in a .s1p
    std::complex<double> s12;
    std::complex<double> s22;
    int line;  // in the file
};

// A line of a noise-parameter block.
struct NoiseRecord {
    double freq_hz;
    double nfmin_db;                 // the minimum noise figure, dB
    std::complex<double> gamma_opt;  // the source reflection that gives it
    double rn;                       // Rn / R, R the reference of Gamma_opt
    int line;                        // in the file
};

// The DUT's noise parameters at one frequency, against 50 ohms.
struct NoisePoint {
    double freq_hz;
    double nfmin_db;
    std::complex<double> gamma_opt;
    double rn;                   // Rn / 50 ohms
    AppliedRecords applied;      // which noise records; in range or not
    std::string reference_note;  // how the data were referred to 50 ohms; empty if not

    // True when the frequency lies outside the noise records and the nearest
    // one holds: note() then says so.
    bool held() const { return !applied.in_range(); }
    // "noise parameters between records at 2 GHz and 4 GHz (lines 12-13);
    // referred to 50 ohms from 75 ohms".
    std::string note() const;
};

// The DUT at one frequency.
struct DutPoint {
    double freq_hz;
    std::optional<double> gain_db;       // 10 log10 |S21|^2; a .s2p only
    std::optional<double> gain;          // |S21|^2 as a ratio; a .s2p only
    double input_match;                  // |S11|
    std::optional<double> output_match;  // |S22|; a .s2p only
    AppliedRecords applied;              // which data points; in range or not
    std::string reference_note;          // how the data were referred to 50 ohms; empty if not

    // Which data points applied, and the reference when it was not 50 ohms:
    // "record at 2 GHz (line 7); referred to 50 ohms from 75 ohms".
    std::string note() const;
};

class Touchstone {
  public:
    const std::string& name() const { return name_; }
    int ports() const { return ports_; }                 // 1 or 2
    SParameterFormat format() const { return format_; }  // as declared in the file
    int version() const { return version_; }             // 1 or 2
    // The reference resistance of port 1, and of each port, as in the file.
    double reference_ohms() const { return reference_ohms_[0]; }
    const std::array<double, 2>& port_reference_ohms() const { return reference_ohms_; }
    // The records as the file gives them, against its reference resistances.
    std::span<const TouchstoneRecord> records() const { return records_; }  // never empty
    // The same records against 50 ohms at every port (the lookup's).
    std::span<const TouchstoneRecord> records_at_50_ohms() const { return at_50_ohms_; }
    // "referred to 50 ohms from 75 ohms"; empty when the file is at 50 ohms.
    std::string reference_note() const;
    // The noise-parameter block as the file gives it (empty without one), and
    // the same against 50 ohms (the lookup's).
    std::span<const NoiseRecord> noise_records() const { return noise_records_; }
    std::span<const NoiseRecord> noise_records_at_50_ohms() const { return noise_at_50_ohms_; }
    bool has_noise_parameters() const { return !noise_records_.empty(); }
    double first_freq_hz() const { return records_.front().freq_hz; }
    double last_freq_hz() const { return records_.back().freq_hz; }

    // Throws std::invalid_argument for a frequency that is not finite.
    DutPoint at(double freq_hz) const;
    // The noise parameters at a frequency; empty when the file has none.
    // Throws std::invalid_argument for a frequency that is not finite.
    std::optional<NoisePoint> noise_at(double freq_hz) const;

  private:
    friend class TouchstoneBuilder;
    Touchstone() = default;

    std::string name_;
    int ports_ = 2;
    SParameterFormat format_ = SParameterFormat::magnitude_angle;
    int version_ = 1;
    std::array<double, 2> reference_ohms_ = {50, 50};
    std::vector<TouchstoneRecord> records_;
    std::vector<TouchstoneRecord> at_50_ohms_;
    std::vector<NoiseRecord> noise_records_;
    std::vector<NoiseRecord> noise_at_50_ohms_;
};

// Reads Touchstone text of a 1-port (`ports` 1, .s1p) or 2-port (2, .s2p)
// file; `name` names it in messages. Throws FileError for anything that is
// not a valid file, std::invalid_argument for `ports` other than 1 or 2.
Touchstone parse_touchstone(std::string_view text, std::string_view name, int ports);

// Reads a .s1p or .s2p file (the extension, in any letter case, gives the
// ports); messages name the path as given. Throws FileError.
Touchstone read_touchstone(const std::filesystem::path& path);

}  // namespace orlavex::datafiles
