// Reading .enr text into a table; the format is described in enr_table.h.
#include "datafiles/enr_table.h"
#include "datafiles/file_error.h"
#include "datafiles/numbers.h"
#include "datafiles/text_lines.h"

#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace orlavex::datafiles {
namespace {

constexpr std::size_t max_line_chars = 100;  // lines are under this
constexpr std::size_t max_file_bytes = 4 * 1024 * 1024;

constexpr std::string_view record_form =
    "'frequency [unit] ENR [dB] [uncertainty [on_mag on_deg off_mag off_deg]]'";

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// Blanks and commas both separate fields, so "15,2" is two numbers. A line
// that separates two numbers by blanks alone and also holds a comma between
// digits ("1e9 15,2 0,1") was most likely written with decimal commas: the
// blank-separated chunk with that comma, if so.
std::optional<std::string_view> decimal_comma(std::string_view content) {
    if (content.find(',') == std::string_view::npos) return std::nullopt;
    const auto chunks = split_fields(content, false);
    bool numbers_apart_by_blanks = false;
    for (std::size_t i = 0; i + 1 < chunks.size(); ++i) {
        // The fields either side of the blanks (npos + 1 is 0: the whole chunk).
        const std::string_view left = chunks[i].substr(chunks[i].rfind(',') + 1);
        const std::string_view right = chunks[i + 1].substr(0, chunks[i + 1].find(','));
        if (parse_number(left) && parse_number(right)) numbers_apart_by_blanks = true;
    }
    if (!numbers_apart_by_blanks) return std::nullopt;
    for (const std::string_view chunk : chunks) {
        for (std::size_t i = 1; i + 1 < chunk.size(); ++i) {
            if (chunk[i] == ',' && is_digit(chunk[i - 1]) && is_digit(chunk[i + 1])) return chunk;
        }
    }
    return std::nullopt;
}

class EnrReader {
  public:
    explicit EnrReader(std::string_view name) : name_(name) {}

    struct Parts {
        std::vector<HeaderField> header;
        std::vector<EnrRecord> records;
    };

    Parts read(LineReader& lines) {
        bool blank = true;
        TextLine line{};
        while (lines.next(line)) {
            line_ = line.number;
            const std::string_view content = trim_blanks(line.text);
            if (content.empty()) continue;
            blank = false;
            if (content.starts_with('#') || content.starts_with('!')) continue;
            if (content.starts_with('[')) {
                header_field(content);
            } else {
                record(content);
            }
        }
        line_ = 0;
        if (blank) fail("empty file: expected an ENR table");
        if (records_.empty()) fail("no records: expected lines " + std::string(record_form));
        return {std::move(header_), std::move(records_)};
    }

  private:
    [[noreturn]] void fail(std::string message) const {
        throw FileError(std::string(name_), line_, std::move(message));
    }

    void header_field(std::string_view content) {
        if (!content.ends_with(']')) fail("expected ']' closing the header field");
        const std::string_view inside = trim_blanks(content.substr(1, content.size() - 2));
        const std::size_t name_end = inside.find_first_of(" \t");
        const std::string_view field_name = inside.substr(0, name_end);
        if (field_name.empty()) fail("expected a field name after '['");
        const std::string_view value = name_end == std::string_view::npos
                                           ? std::string_view()
                                           : trim_blanks(inside.substr(name_end));
        if (equal_ignoring_case(field_name, "Filetype") && !equal_ignoring_case(value, "ENR")) {
            fail("expected [Filetype ENR], found Filetype '" + std::string(value) + "'");
        }
        // Names and values are kept as valid text whatever the file's encoding.
        header_.push_back({valid_utf8(field_name), valid_utf8(value), line_});
    }

    // Field I of the record, a number.
    double number(std::size_t i, std::string_view what) const {
        if (!fields_[i].number) not_a_number(fields_[i].text, what);
        return *fields_[i].number;
    }

    [[noreturn]] void not_a_number(std::string_view field, std::string_view what) const {
        fail("expected " + std::string(what) + ", found '" + std::string(field) + "'");
    }

    // The unit FIELD names; a file names the same one on every line.
    std::optional<double> unit_hz(std::string_view field) {
        if (field != unit_text_) {
            unit_text_ = field;
            unit_hz_ = frequency_unit_hz(field, frequency_units);
        }
        return unit_hz_;
    }

    // The usual line: short numbers between blanks, with the frequency's
    // unit after the first, read without splitting it into fields. False
    // (nothing read) for any other line, which record() reads.
    bool short_record(std::string_view content) {
        if (content.find(',') != std::string_view::npos) return false;
        const std::string_view freq_text = first_word(content);
        double freq = 0;
        if (read_short_numbers(freq_text, std::span(&freq, 1)) != 1u) return false;
        std::string_view rest = trim_blanks(content.substr(freq_text.size()));
        if (const std::string_view unit = first_word(rest); !unit.empty() && is_letter(unit[0])) {
            const std::optional<double> hz = unit_hz(unit);
            if (!hz) return false;
            freq *= *hz;
            rest = rest.substr(unit.size());
        }
        std::array<double, 6> x;  // ENR, uncertainty, four reflection numbers
        const std::optional<std::size_t> count = read_short_numbers(rest, x);
        if (count != 1u && count != 2u && count != 6u) return false;
        EnrRecord record{freq, x[0], std::nullopt, std::nullopt, line_};
        if (*count >= 2) record.enr_unc_db = x[1];
        if (*count == 6) record.reflection = SourceReflection{x[2], x[3], x[4], x[5]};
        check(record);
        records_.push_back(record);
        return true;
    }

    // TEXT up to its first blank or tab.
    static std::string_view first_word(std::string_view text) {
        std::size_t end = 0;
        while (end < text.size() && text[end] != ' ' && text[end] != '\t')
            ++end;
        return text.substr(0, end);
    }

    static bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

    void record(std::string_view content) {
        if (short_record(content)) return;
        if (const auto chunk = decimal_comma(content)) {
            fail("'" + std::string(*chunk) +
                 "' is two fields, a comma separates them: expected a point for decimals");
        }
        split_numbers(content, true, fields_);
        const auto& fields = fields_;
        for (const auto& field : fields) {
            if (field.text.empty()) fail("empty field: expected one comma between two fields");
        }
        std::size_t next = 0;
        double freq = number(next++, "a frequency (a number)");
        if (next < fields.size() && !fields_[next].number) {
            const auto unit = unit_hz(fields[next].text);
            if (!unit) {
                fail("unknown frequency unit '" + std::string(fields[next].text) + "': expected " +
                     unit_list(frequency_units));
            }
            freq *= *unit;
            ++next;
        }
        if (next == fields.size()) fail("missing ENR: expected the ENR in dB after the frequency");
        const double enr_db = number(next++, "the ENR (a number, in dB)");
        if (next < fields.size() && !fields_[next].number) {
            if (!equal_ignoring_case(fields[next].text, "dB")) {
                fail("unknown ENR unit '" + std::string(fields[next].text) + "': expected dB");
            }
            ++next;
        }

        EnrRecord record{freq, enr_db, std::nullopt, std::nullopt, line_};
        const std::size_t extra = fields.size() - next;
        if (extra >= 1) record.enr_unc_db = number(next++, "the ENR uncertainty (in dB)");
        if (extra >= 2 && extra < 5) {
            fail(
                "expected 4 reflection numbers after the ENR uncertainty (on magnitude and "
                "angle, off magnitude and angle), found " +
                std::to_string(extra - 1));
        }
        if (extra >= 5) {
            record.reflection =
                SourceReflection{number(next, "the on-state reflection magnitude"),
                                 number(next + 1, "the on-state reflection angle (degrees)"),
                                 number(next + 2, "the off-state reflection magnitude"),
                                 number(next + 3, "the off-state reflection angle (degrees)")};
            next += 4;
        }
        for (; next < fields.size(); ++next)
            number(next, "a number");
        check(record);
        records_.push_back(record);
    }

    static std::string columns(const EnrRecord& record) {
        if (record.reflection) return "frequency, ENR, uncertainty and reflections";
        if (record.enr_unc_db) return "frequency, ENR and uncertainty";
        return "frequency and ENR";
    }

    void check(const EnrRecord& record) const {
        if (!std::isfinite(record.freq_hz)) fail("frequency too large: expected under 1e308 Hz");
        if (record.freq_hz <= 0) {
            fail("frequency " + frequency_text(record.freq_hz) + ": expected a frequency above 0");
        }
        if (record.enr_unc_db && *record.enr_unc_db < 0) {
            fail("negative ENR uncertainty " + number_text(*record.enr_unc_db) +
                 " dB: expected 0 or more");
        }
        if (record.reflection) {
            for (const double mag : {record.reflection->on_mag, record.reflection->off_mag}) {
                if (mag < 0 || mag > 1) {
                    fail("reflection magnitude " + number_text(mag) + ": expected 0 to 1");
                }
            }
        }
        if (records_.empty()) return;
        const EnrRecord& first = records_.front();
        if (record.enr_unc_db.has_value() != first.enr_unc_db.has_value() ||
            record.reflection.has_value() != first.reflection.has_value()) {
            fail("expected " + columns(first) + " like the first record (line " +
                 std::to_string(first.line) + "), found " + columns(record));
        }
        const EnrRecord& previous = records_.back();
        if (record.freq_hz == previous.freq_hz) {
            fail("frequency " + frequency_text(record.freq_hz) + " repeats the record on line " +
                 std::to_string(previous.line) + ": expected each frequency once");
        }
        if (record.freq_hz < previous.freq_hz) {
            fail("frequency " + frequency_text(record.freq_hz) +
                 " is below the previous record's " + frequency_text(previous.freq_hz) + " (line " +
                 std::to_string(previous.line) + "): expected records in rising frequency");
        }
    }

    std::string_view name_;
    int line_ = 0;
    std::vector<HeaderField> header_;
    std::vector<EnrRecord> records_;
    NumberFields fields_;         // of the line being read
    std::string_view unit_text_;  // the unit the last record named
    std::optional<double> unit_hz_;
};

LineRules enr_lines(std::size_t max_bytes) {
    return {max_line_chars, "expected ENR table lines under 100 characters", '\0', max_bytes};
}

}  // namespace

EnrTable parse_enr(std::string_view text, std::string_view name) {
    LineReader lines(text, name, enr_lines(std::numeric_limits<std::size_t>::max()));
    auto [header, records] = EnrReader(name).read(lines);
    return EnrTable(std::string(name), std::move(header), std::move(records));
}

EnrTable read_enr_file(const std::filesystem::path& path) {
    const std::string name = path.string();
    std::filebuf file = open_text_file(path, max_file_bytes);
    LineReader lines(file, name, enr_lines(max_file_bytes));
    auto [header, records] = EnrReader(name).read(lines);
    return EnrTable(name, std::move(header), std::move(records));
}

}  // namespace orlavex::datafiles
