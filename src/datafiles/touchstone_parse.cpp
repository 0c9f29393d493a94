// Reading Touchstone 1.x text; the format is described in touchstone.h.
#include "datafiles/file_error.h"
#include "datafiles/numbers.h"
#include "datafiles/text_lines.h"
#include "datafiles/touchstone.h"

#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace orlavex::datafiles {
namespace {

// Touchstone 1.x sets no line limit; this one only keeps a runaway line
// (a file that is not Touchstone) from being read as data.
constexpr std::size_t max_line_chars = 4096;
constexpr std::size_t max_file_bytes = 64 * 1024 * 1024;

constexpr std::size_t noise_line_numbers = 5;
constexpr std::array<std::string_view, 4> s_names = {"S11", "S21", "S12", "S22"};

struct FormatName {
    std::string_view name;
    SParameterFormat format;
    std::string_view first_part;  // of a pair, for messages
    std::string_view second_part;
};

constexpr FormatName format_names[] = {
    {"MA", SParameterFormat::magnitude_angle, "magnitude", "angle"},
    {"DB", SParameterFormat::db_angle, "dB", "angle"},
    {"RI", SParameterFormat::real_imaginary, "real part", "imaginary part"},
};

const FormatName& format_name(SParameterFormat format) {
    for (const auto& entry : format_names) {
        if (entry.format == format) return entry;
    }
    return format_names[0];
}

struct Options {
    double unit_hz = 1e9;
    SParameterFormat format = SParameterFormat::magnitude_angle;
    double reference_ohms = 50;
};

class TouchstoneReader {
  public:
    TouchstoneReader(std::string_view name, int ports) : name_(name), ports_(ports) {}

    struct Parts {
        Options options;
        std::vector<TouchstoneRecord> records;
        int noise_lines = 0;
    };

    Parts read(std::string_view text) {
        const auto lines = split_lines(text, name_, max_line_chars,
                                       "expected Touchstone lines under 4096 characters");
        bool blank = true;
        bool options_read = false;
        for (const TextLine& line : lines) {
            line_ = line.number;
            if (!trim_blanks(line.text).empty()) blank = false;
            const std::string_view content = trim_blanks(line.text.substr(0, line.text.find('!')));
            if (content.empty()) continue;
            if (content.starts_with('#')) {
                if (!parts_.records.empty()) {
                    fail("option line after the data: expected it before the first data line");
                }
                if (!options_read) parts_.options = option_line(content.substr(1));
                options_read = true;  // Touchstone 1.x ignores any further option line
            } else if (content.starts_with('[')) {
                fail("Touchstone 2 keyword line: expected a Touchstone 1.x file");
            } else {
                data_line(content);
            }
        }
        line_ = 0;
        if (blank) fail("empty file: expected Touchstone data");
        if (parts_.records.empty()) {
            fail(std::string("no data: expected lines of the frequency and ") +
                 (ports_ == 1 ? "the S11 pair" : "four S-parameter pairs"));
        }
        return std::move(parts_);
    }

  private:
    [[noreturn]] void fail(std::string message) const {
        throw FileError(std::string(name_), line_, std::move(message));
    }

    double number(std::string_view field, std::string_view what) const {
        const auto value = parse_number(field);
        if (!value) fail("expected " + std::string(what) + ", found '" + std::string(field) + "'");
        return *value;
    }

    Options option_line(std::string_view rest) {
        Options options;
        bool unit_seen = false, parameter_seen = false, format_seen = false, r_seen = false;
        const auto once = [&](bool& seen, std::string_view field, std::string_view what) {
            if (seen) {
                fail("'" + std::string(field) + "' repeats the option line's " + std::string(what));
            }
            seen = true;
        };
        const auto fields = split_fields(rest, false);
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const std::string_view field = fields[i];
            if (const auto unit = frequency_unit_hz(field, touchstone_frequency_units)) {
                once(unit_seen, field, "frequency unit");
                options.unit_hz = *unit;
            } else if (const auto format = find_format(field)) {
                once(format_seen, field, "format");
                options.format = *format;
            } else if (equal_ignoring_case(field, "S")) {
                once(parameter_seen, field, "parameter type");
            } else if (equal_ignoring_case(field, "R")) {
                once(r_seen, field, "reference resistance");
                if (i + 1 == fields.size()) {
                    fail("expected the reference resistance in ohms after R");
                }
                options.reference_ohms =
                    number(fields[++i], "the reference resistance in ohms after R");
                if (options.reference_ohms <= 0) {
                    fail("reference resistance " + number_text(options.reference_ohms) +
                         " ohms: expected above 0");
                }
            } else {
                unknown_option(field);
            }
        }
        return options;
    }

    static std::optional<SParameterFormat> find_format(std::string_view field) {
        for (const auto& entry : format_names) {
            if (equal_ignoring_case(field, entry.name)) return entry.format;
        }
        return std::nullopt;
    }

    [[noreturn]] void unknown_option(std::string_view field) const {
        const std::string quoted = "'" + std::string(field) + "'";
        for (const std::string_view other : {"Y", "Z", "H", "G"}) {
            if (equal_ignoring_case(field, other)) {
                fail("parameter type " + quoted + ": expected S (only S-parameters are read)");
            }
        }
        if (field.size() > 2 && equal_ignoring_case(field.substr(field.size() - 2), "Hz")) {
            fail("unknown frequency unit " + quoted + ": expected " +
                 unit_list(touchstone_frequency_units));
        }
        if (field.size() == 2) fail("unknown format " + quoted + ": expected MA, DB or RI");
        fail("unknown option " + quoted + ": expected a frequency unit (" +
             unit_list(touchstone_frequency_units) + "), S, a format (MA, DB or RI) or R and " +
             "the reference resistance");
    }

    void data_line(std::string_view content) {
        const auto fields = split_fields(content, false);
        const double freq_hz =
            number(fields[0], "the frequency (a number)") * parts_.options.unit_hz;
        if (!std::isfinite(freq_hz)) fail("frequency too large: expected under 1e308 Hz");
        if (freq_hz < 0) {
            fail("negative frequency " + frequency_text(freq_hz) + ": expected 0 or more");
        }

        const bool falls_back = !parts_.records.empty() && freq_hz <= parts_.records.back().freq_hz;
        if (ports_ == 2 && falls_back && fields.size() == noise_line_numbers) {
            in_noise_block_ = true;
        }
        if (in_noise_block_) {
            noise_line(fields);
            return;
        }

        const std::size_t expected = 1 + 2 * static_cast<std::size_t>(ports_ * ports_);
        if (fields.size() != expected) {
            std::string message = "expected " + std::to_string(expected) + " numbers (" +
                                  (ports_ == 1 ? "frequency and the S11 pair"
                                               : "frequency and four S-parameter pairs") +
                                  "), found " + std::to_string(fields.size());
            if (ports_ == 2 && fields.size() == noise_line_numbers) {
                message +=
                    " (a noise-parameter block starts at or below the last S-parameter "
                    "frequency)";
            }
            fail(message);
        }
        if (falls_back) out_of_order(freq_hz);

        TouchstoneRecord record{freq_hz, {}, {}, {}, {}, line_};
        std::complex<double>* const targets[] = {&record.s11, &record.s21, &record.s12,
                                                 &record.s22};
        for (std::size_t k = 0; k < expected / 2; ++k) {
            *targets[k] = pair(fields[1 + 2 * k], fields[2 + 2 * k], s_names[k]);
        }
        if (ports_ == 2 && !std::isnormal(std::norm(record.s21))) {
            fail("|S21| of " + number_text(std::abs(record.s21)) +
                 ": expected a DUT gain |S21|^2 above 0 and finite");
        }
        parts_.records.push_back(record);
    }

    void out_of_order(double freq_hz) const {
        const TouchstoneRecord& previous = parts_.records.back();
        if (freq_hz == previous.freq_hz) {
            fail("frequency " + frequency_text(freq_hz) + " repeats the data line " +
                 std::to_string(previous.line) + ": expected each frequency once");
        }
        fail("frequency " + frequency_text(freq_hz) + " is below the previous line's " +
             frequency_text(previous.freq_hz) + " (line " + std::to_string(previous.line) +
             "): expected data in rising frequency");
    }

    std::complex<double> pair(std::string_view first, std::string_view second,
                              std::string_view s_name) const {
        const FormatName& format = format_name(parts_.options.format);
        const auto part = [&](std::string_view name) {
            return std::string(s_name) + " " + std::string(name) + " (a number)";
        };
        const double a = number(first, part(format.first_part));
        const double b = number(second, part(format.second_part));
        std::complex<double> s;
        switch (format.format) {
            case SParameterFormat::magnitude_angle:
                if (a < 0) {
                    fail(std::string(s_name) + " magnitude " + number_text(a) +
                         ": expected 0 or more");
                }
                s = std::polar(a, b * std::numbers::pi / 180);
                break;
            case SParameterFormat::db_angle:
                s = std::polar(std::pow(10.0, a / 20), b * std::numbers::pi / 180);
                break;
            case SParameterFormat::real_imaginary:
                s = {a, b};
                break;
        }
        if (!std::isfinite(std::abs(s))) {
            fail(std::string(s_name) + " too large: expected a magnitude under 1e308");
        }
        return s;
    }

    void noise_line(const std::vector<std::string_view>& fields) {
        if (fields.size() != noise_line_numbers) {
            fail(
                "expected 5 numbers in the noise-parameter block (frequency, minimum noise "
                "figure, optimum reflection magnitude and angle, noise resistance), found " +
                std::to_string(fields.size()));
        }
        for (const auto field : fields)
            number(field, "a noise parameter (a number)");
        ++parts_.noise_lines;
    }

    std::string_view name_;
    int ports_;
    int line_ = 0;
    bool in_noise_block_ = false;
    Parts parts_;
};

}  // namespace

Touchstone parse_touchstone(std::string_view text, std::string_view name, int ports) {
    if (ports != 1 && ports != 2) {
        throw std::invalid_argument("Touchstone files are read with 1 or 2 ports");
    }
    auto parts = TouchstoneReader(name, ports).read(text);
    Touchstone touchstone;
    touchstone.name_ = std::string(name);
    touchstone.ports_ = ports;
    touchstone.format_ = parts.options.format;
    touchstone.reference_ohms_ = parts.options.reference_ohms;
    touchstone.records_ = std::move(parts.records);
    touchstone.noise_lines_ignored_ = parts.noise_lines;
    return touchstone;
}

Touchstone read_touchstone(const std::filesystem::path& path) {
    const std::string extension = path.extension().string();
    int ports = 0;
    if (equal_ignoring_case(extension, ".s1p")) ports = 1;
    if (equal_ignoring_case(extension, ".s2p")) ports = 2;
    if (ports == 0) {
        throw FileError(path.string(), 0,
                        "expected a .s1p or .s2p file (the extension gives the ports), found '" +
                            extension + "'");
    }
    return parse_touchstone(read_whole_file(path, max_file_bytes), path.string(), ports);
}

}  // namespace orlavex::datafiles
