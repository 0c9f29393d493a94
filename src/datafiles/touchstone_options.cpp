#include "datafiles/touchstone_options.h"

#include "datafiles/file_error.h"
#include "datafiles/numbers.h"
#include "datafiles/text_lines.h"

#include <optional>
#include <string>

namespace orlavex::datafiles {
namespace {

constexpr FormatName format_names[] = {
    {"MA", SParameterFormat::magnitude_angle, "magnitude", "angle"},
    {"DB", SParameterFormat::db_angle, "dB", "angle"},
    {"RI", SParameterFormat::real_imaginary, "real part", "imaginary part"},
};

std::optional<SParameterFormat> find_format(std::string_view field) {
    for (const auto& entry : format_names) {
        if (equal_ignoring_case(field, entry.name)) return entry.format;
    }
    return std::nullopt;
}

class OptionLine {
  public:
    OptionLine(std::string_view file, int line) : file_(file), line_(line) {}

    TouchstoneOptions read(std::string_view rest) {
        const auto fields = split_fields(rest, false);
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const std::string_view field = fields[i];
            if (const auto unit = frequency_unit_hz(field, touchstone_frequency_units)) {
                once(unit_seen_, field, "frequency unit");
                options_.unit_hz = *unit;
            } else if (const auto format = find_format(field)) {
                once(format_seen_, field, "format");
                options_.format = *format;
            } else if (equal_ignoring_case(field, "S")) {
                once(parameter_seen_, field, "parameter type");
            } else if (equal_ignoring_case(field.substr(0, 1), "R") &&
                       (field.size() == 1 || parse_number(field.substr(1)))) {
                // "R 50", and "R50" as some programs write it.
                once(r_seen_, field, "reference resistance");
                std::string_view value = field.substr(1);
                if (value.empty()) {
                    if (i + 1 == fields.size()) {
                        fail("expected the reference resistance in ohms after R");
                    }
                    value = fields[++i];
                }
                reference(value);
            } else {
                unknown(field);
            }
        }
        return options_;
    }

  private:
    [[noreturn]] void fail(std::string message) const {
        throw FileError(std::string(file_), line_, std::move(message));
    }

    void once(bool& seen, std::string_view field, std::string_view what) const {
        if (seen)
            fail("'" + std::string(field) + "' repeats the option line's " + std::string(what));
        seen = true;
    }

    void reference(std::string_view value) {
        const auto ohms = parse_number(value);
        if (!ohms) {
            fail("expected the reference resistance in ohms after R, found '" + std::string(value) +
                 "'");
        }
        if (*ohms <= 0)
            fail("reference resistance " + number_text(*ohms) + " ohms: expected above 0");
        options_.reference_ohms = *ohms;
    }

    [[noreturn]] void unknown(std::string_view field) const {
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

    std::string_view file_;
    int line_;
    TouchstoneOptions options_;
    bool unit_seen_ = false, parameter_seen_ = false, format_seen_ = false, r_seen_ = false;
};

}  // namespace

const FormatName& format_name(SParameterFormat format) {
    for (const auto& entry : format_names) {
        if (entry.format == format) return entry;
    }
    return format_names[0];
}

TouchstoneOptions read_option_line(std::string_view rest, std::string_view file, int line) {
    return OptionLine(file, line).read(rest);
}

}  // namespace orlavex::datafiles
