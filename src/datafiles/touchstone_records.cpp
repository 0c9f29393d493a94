#include "datafiles/touchstone_records.h"

#include "datafiles/file_error.h"
#include "datafiles/numbers.h"

#include <cmath>
#include <numbers>

namespace orlavex::datafiles {
namespace {

using Slot = RecordReader::Slot;
using R = TouchstoneRecord;

constexpr std::size_t noise_line_numbers = 5;

// The pairs of a record in the order of the file.
constexpr Slot one_port[] = {{"S11", &R::s11}};
constexpr Slot full_21_12[] = {
    {"S11", &R::s11}, {"S21", &R::s21}, {"S12", &R::s12}, {"S22", &R::s22}};
constexpr Slot full_12_21[] = {
    {"S11", &R::s11}, {"S12", &R::s12}, {"S21", &R::s21}, {"S22", &R::s22}};
constexpr Slot lower[] = {{"S11", &R::s11}, {"S21", &R::s21}, {"S22", &R::s22}};
constexpr Slot upper[] = {{"S11", &R::s11}, {"S12", &R::s12}, {"S22", &R::s22}};

}  // namespace

void RecordReader::fail(int line, std::string message) const {
    throw FileError(std::string(file_), line, std::move(message));
}

std::span<const Slot> RecordReader::slots() const {
    if (ports_ == 1) return one_port;
    if (matrix_ == MatrixFormat::lower) return lower;
    if (matrix_ == MatrixFormat::upper) return upper;
    return order_ == TwoPortOrder::s21_first ? std::span<const Slot>(full_21_12)
                                             : std::span<const Slot>(full_12_21);
}

std::string RecordReader::record_form() const {
    if (ports_ == 1) return "frequency and the S11 pair";
    return slots().size() == 4 ? "frequency and four S-parameter pairs"
                               : "frequency and three S-parameter pairs";
}

double RecordReader::number(std::string_view field, std::string_view what, int line) const {
    const auto value = parse_number(field);
    if (!value)
        fail(line, "expected " + std::string(what) + ", found '" + std::string(field) + "'");
    return *value;
}

void RecordReader::data_line(const std::vector<std::string_view>& fields, int line,
                             const TouchstoneOptions& options, bool noise_by_frequency) {
    if (in_noise_block_) return noise_line(fields, line);
    const std::size_t expected = this->expected();
    if (numbers_ == 0) {
        const double freq_hz =
            number(fields[0], "the frequency (a number)", line) * options.unit_hz;
        const bool falls_back = !records_.empty() && freq_hz <= records_.back().freq_hz;
        if (noise_by_frequency && ports_ == 2 && falls_back &&
            fields.size() == noise_line_numbers) {
            in_noise_block_ = true;
            return noise_line(fields, line);
        }
        if (fields.size() > expected) {
            fail(line, "expected " + std::to_string(expected) + " numbers (" + record_form() +
                           "), found " + std::to_string(fields.size()));
        }
        first_line_ = line;
    } else if (numbers_ + fields.size() > expected) {
        fail(line, "the record that starts on line " + std::to_string(first_line_) + " has " +
                       std::to_string(numbers_) + " numbers above this line, which holds " +
                       std::to_string(fields.size()) + " more: expected " +
                       std::to_string(expected) + " in all (" + record_form() + ")");
    }
    last_line_ = line;
    for (const std::string_view field : fields) {
        if (numbers_ == 0) {
            start_record(field, line, options);
        } else {
            add_value(field, line, options);
        }
    }
    if (numbers_ == expected) complete_record(line);
}

void RecordReader::start_record(std::string_view field, int line,
                                const TouchstoneOptions& options) {
    const double freq_hz = number(field, "the frequency (a number)", line) * options.unit_hz;
    if (!std::isfinite(freq_hz)) fail(line, "frequency too large: expected under 1e308 Hz");
    if (freq_hz < 0) {
        fail(line, "negative frequency " + frequency_text(freq_hz) + ": expected 0 or more");
    }
    if (!records_.empty() && freq_hz <= records_.back().freq_hz) out_of_order(freq_hz, line);
    record_ = TouchstoneRecord{freq_hz, {}, {}, {}, {}, line};
    numbers_ = 1;
}

void RecordReader::add_value(std::string_view field, int line, const TouchstoneOptions& options) {
    const FormatName& format = format_name(options.format);
    const Slot& slot = slots()[(numbers_ - 1) / 2];
    const bool second = numbers_ % 2 == 0;
    const std::string what = std::string(slot.name) + " " +
                             std::string(second ? format.second_part : format.first_part) +
                             " (a number)";
    const double value = number(field, what, line);
    ++numbers_;
    if (!second) {
        first_half_ = value;
        return;
    }
    record_.*slot.value = pair(first_half_, value, slot.name, options.format, line);
}

void RecordReader::complete_record(int line) {
    if (matrix_ != MatrixFormat::full && ports_ == 2) {
        if (matrix_ == MatrixFormat::lower) record_.s12 = record_.s21;
        if (matrix_ == MatrixFormat::upper) record_.s21 = record_.s12;
    }
    if (ports_ == 2 && !std::isnormal(std::norm(record_.s21))) {
        fail(line, "|S21| of " + number_text(std::abs(record_.s21)) +
                       ": expected a DUT gain |S21|^2 above 0 and finite");
    }
    records_.push_back(record_);
    numbers_ = 0;
}

void RecordReader::end_record(int line) {
    if (numbers_ == 0) return;
    const std::string expected = std::to_string(this->expected());
    if (first_line_ == last_line_) {
        fail(first_line_, "expected " + expected + " numbers (" + record_form() + "), found " +
                              std::to_string(numbers_));
    }
    fail(first_line_, "the record that starts here ends " +
                          (line > 0 ? "at the keyword on line " + std::to_string(line)
                                    : std::string("at the end of the file")) +
                          " after " + std::to_string(numbers_) + " numbers on lines " +
                          std::to_string(first_line_) + "-" + std::to_string(last_line_) +
                          ": expected " + expected + " (" + record_form() + ")");
}

void RecordReader::out_of_order(double freq_hz, int line) const {
    const TouchstoneRecord& previous = records_.back();
    if (freq_hz == previous.freq_hz) {
        fail(line, "frequency " + frequency_text(freq_hz) + " repeats the data line " +
                       std::to_string(previous.line) + ": expected each frequency once");
    }
    fail(line, "frequency " + frequency_text(freq_hz) + " is below the previous line's " +
                   frequency_text(previous.freq_hz) + " (line " + std::to_string(previous.line) +
                   "): expected data in rising frequency");
}

std::complex<double> RecordReader::pair(double a, double b, std::string_view s_name,
                                        SParameterFormat format, int line) const {
    std::complex<double> s;
    switch (format) {
        case SParameterFormat::magnitude_angle:
            if (a < 0) {
                fail(line,
                     std::string(s_name) + " magnitude " + number_text(a) + ": expected 0 or more");
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
        fail(line, std::string(s_name) + " too large: expected a magnitude under 1e308");
    }
    return s;
}

void RecordReader::noise_line(const std::vector<std::string_view>& fields, int line) {
    if (fields.size() != noise_line_numbers) {
        fail(line,
             "expected 5 numbers in the noise-parameter block (frequency, minimum noise "
             "figure, optimum reflection magnitude and angle, noise resistance), found " +
                 std::to_string(fields.size()));
    }
    for (const auto field : fields)
        number(field, "a noise parameter (a number)", line);
    ++noise_lines_;
}

}  // namespace orlavex::datafiles
