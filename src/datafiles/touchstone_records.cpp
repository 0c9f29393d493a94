#include "datafiles/touchstone_records.h"

#include "datafiles/file_error.h"
#include "datafiles/numbers.h"
#include "datafiles/polar_form.h"

#include <array>
#include <cmath>

namespace orlavex::datafiles {
namespace {

using Slot = RecordReader::Slot;
using R = TouchstoneRecord;

constexpr std::size_t noise_line_numbers = 5;

// The S-parameter a pair of numbers gives in FORMAT.
std::complex<double> s_parameter(double a, double b, SParameterFormat format) {
    switch (format) {
        case SParameterFormat::magnitude_angle:
            return polar_degrees(a, b);
        case SParameterFormat::db_angle:
            return polar_degrees(magnitude_of_db(a), b);
        case SParameterFormat::real_imaginary:
            break;
    }
    return {a, b};
}

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

std::span<const Slot> RecordReader::slots_of(int ports, TwoPortOrder order, MatrixFormat matrix) {
    if (ports == 1) return one_port;
    if (matrix == MatrixFormat::lower) return lower;
    if (matrix == MatrixFormat::upper) return upper;
    return order == TwoPortOrder::s21_first ? std::span<const Slot>(full_21_12)
                                            : std::span<const Slot>(full_12_21);
}

std::string RecordReader::record_form() const {
    if (ports_ == 1) return "frequency and the S11 pair";
    return slots().size() == 4 ? "frequency and four S-parameter pairs"
                               : "frequency and three S-parameter pairs";
}

void RecordReader::not_a_number(const NumberField& field, std::string_view what, int line) const {
    fail(line, "expected " + std::string(what) + ", found '" + std::string(field.text) + "'");
}

double RecordReader::number(const NumberFields& fields, std::size_t i, std::string_view what,
                            int line) const {
    if (!fields[i].number) not_a_number(fields[i], what, line);
    return *fields[i].number;
}

void RecordReader::data_line(const NumberFields& fields, int line, const TouchstoneOptions& options,
                             bool noise_by_frequency) {
    if (in_noise_block_) return noise_line(fields, line, options.unit_hz);
    const std::size_t expected = this->expected();
    double freq_hz = 0;  // of a record that starts on this line
    if (numbers_ == 0) {
        freq_hz = number(fields, 0, "the frequency (a number)", line) * options.unit_hz;
        const bool falls_back = !records_.empty() && freq_hz <= records_.back().freq_hz;
        // A shorter line there is read as a noise line too, and refused as one.
        if (noise_by_frequency && ports_ == 2 && falls_back &&
            fields.size() <= noise_line_numbers) {
            in_noise_block_ = true;
            return noise_line(fields, line, options.unit_hz);
        }
        if (fields.size() > expected) too_many_numbers(fields.size(), line);
        first_line_ = line;
    } else if (numbers_ + fields.size() > expected) {
        too_many_numbers(fields.size(), line);
    }
    last_line_ = line;
    std::size_t i = 0;
    if (numbers_ == 0) {
        start_record(freq_hz, line);
        i = 1;
    }
    if (numbers_ == 1 && fields.size() == expected) {  // the usual line: a whole record
        read_pairs(fields, line, options.format);
    } else {
        for (; i < fields.size(); ++i)
            add_value(fields, i, line, options);
    }
    if (numbers_ == expected) complete_record(line);
}

bool RecordReader::whole_record_line(std::string_view content, int line,
                                     const TouchstoneOptions& options) {
    constexpr std::size_t most_numbers = 9;  // a frequency and four pairs
    std::array<double, most_numbers> x;
    const std::size_t expected = this->expected();
    if (in_noise_block_ || numbers_ != 0) return false;
    const std::optional<std::size_t> count =
        read_short_numbers(content, std::span(x).first(expected));
    if (count != expected) return false;
    const double freq_hz = x[0] * options.unit_hz;
    // A line below the last frequency may start the noise block; a negative
    // magnitude is refused. data_line does both.
    if (!(freq_hz >= 0) || (!records_.empty() && freq_hz <= records_.back().freq_hz)) return false;
    if (options.format == SParameterFormat::magnitude_angle) {
        for (std::size_t i = 1; i < expected; i += 2)
            if (x[i] < 0) return false;
    }
    // Short numbers are below 1e37: only decibels give a pair too large.
    std::array<std::complex<double>, 4> values;
    for (std::size_t k = 0; k < slots_.size(); ++k) {
        values[k] = s_parameter(x[1 + 2 * k], x[2 + 2 * k], options.format);
        if (!std::isfinite(values[k].real()) || !std::isfinite(values[k].imag())) return false;
    }
    first_line_ = last_line_ = line;
    start_record(freq_hz, line);
    for (std::size_t k = 0; k < slots_.size(); ++k)
        record_.*slots_[k].value = values[k];
    numbers_ = expected;
    complete_record(line);
    return true;
}

void RecordReader::too_many_numbers(std::size_t found, int line) const {
    const std::size_t expected = this->expected();
    if (numbers_ == 0) {
        fail(line, "expected " + std::to_string(expected) + " numbers (" + record_form() +
                       "), found " + std::to_string(found));
    }
    fail(line, "the record that starts on line " + std::to_string(first_line_) + " has " +
                   std::to_string(numbers_) + " numbers above this line, which holds " +
                   std::to_string(found) + " more: expected " + std::to_string(expected) +
                   " in all (" + record_form() + ")");
}

void RecordReader::read_pairs(const NumberFields& fields, int line, SParameterFormat format) {
    for (std::size_t k = 0; k < slots_.size(); ++k) {
        const NumberField& first = fields[1 + 2 * k];
        const NumberField& second = fields[2 + 2 * k];
        if (!first.number) not_a_value(first, slots_[k], false, format, line);
        if (!second.number) not_a_value(second, slots_[k], true, format, line);
        record_.*slots_[k].value =
            pair(*first.number, *second.number, slots_[k].name, format, line);
    }
    numbers_ = fields.size();
}

void RecordReader::start_record(double freq_hz, int line) {
    if (!std::isfinite(freq_hz)) fail(line, "frequency too large: expected under 1e308 Hz");
    if (freq_hz < 0) {
        fail(line, "negative frequency " + frequency_text(freq_hz) + ": expected 0 or more");
    }
    if (!records_.empty() && freq_hz <= records_.back().freq_hz) out_of_order(freq_hz, line);
    record_ = TouchstoneRecord{freq_hz, {}, {}, {}, {}, line};
    numbers_ = 1;
}

void RecordReader::add_value(const NumberFields& fields, std::size_t i, int line,
                             const TouchstoneOptions& options) {
    const Slot& slot = slots()[(numbers_ - 1) / 2];
    const bool second = numbers_ % 2 == 0;
    if (!fields[i].number) not_a_value(fields[i], slot, second, options.format, line);
    const double value = *fields[i].number;
    ++numbers_;
    if (!second) {
        first_half_ = value;
        return;
    }
    record_.*slot.value = pair(first_half_, value, slot.name, options.format, line);
}

void RecordReader::not_a_value(const NumberField& field, const Slot& slot, bool second,
                               SParameterFormat format, int line) const {
    const FormatName& name = format_name(format);
    not_a_number(field,
                 std::string(slot.name) + " " +
                     std::string(second ? name.second_part : name.first_part) + " (a number)",
                 line);
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
    if (format == SParameterFormat::magnitude_angle && a < 0) {
        fail(line, std::string(s_name) + " magnitude " + number_text(a) + ": expected 0 or more");
    }
    const std::complex<double> s = s_parameter(a, b, format);
    // |s| is finite for parts well inside the range: only larger ones are measured.
    const bool small = std::fabs(s.real()) < 1e300 && std::fabs(s.imag()) < 1e300;
    if (!small && !std::isfinite(std::abs(s))) {
        fail(line, std::string(s_name) + " too large: expected a magnitude under 1e308");
    }
    return s;
}

void RecordReader::noise_line(const NumberFields& fields, int line, double unit_hz) {
    if (fields.size() != noise_line_numbers) {
        fail(line,
             "expected 5 numbers in the noise-parameter block (frequency, minimum noise "
             "figure, optimum reflection magnitude and angle, noise resistance), found " +
                 std::to_string(fields.size()));
    }
    std::array<double, noise_line_numbers> x{};
    for (std::size_t i = 0; i < fields.size(); ++i)
        x[i] = number(fields, i, "a noise parameter (a number)", line);
    const NoiseRecord record{x[0] * unit_hz, x[1], polar_degrees(x[2], x[3]), x[4], line};
    check_noise(record, x[2]);
    noise_.push_back(record);
}

void RecordReader::check_noise(const NoiseRecord& record, double magnitude) const {
    const int line = record.line;
    if (!std::isfinite(record.freq_hz)) fail(line, "frequency too large: expected under 1e308 Hz");
    if (record.freq_hz < 0) {
        fail(line, "negative frequency " + frequency_text(record.freq_hz) + ": expected 0 or more");
    }
    if (record.nfmin_db < 0) {
        fail(line,
             "minimum noise figure " + number_text(record.nfmin_db) + " dB: expected 0 dB or more");
    }
    if (magnitude < 0 || magnitude >= 1) {
        fail(line, "optimum reflection magnitude " + number_text(magnitude) +
                       ": expected 0 or more and below 1");
    }
    if (record.rn < 0) {
        fail(line, "noise resistance rn " + number_text(record.rn) + ": expected 0 or more");
    }
    if (noise_.empty()) return;
    const NoiseRecord& previous = noise_.back();
    if (record.freq_hz == previous.freq_hz) {
        fail(line, "noise frequency " + frequency_text(record.freq_hz) + " repeats line " +
                       std::to_string(previous.line) + ": expected each frequency once");
    }
    if (record.freq_hz < previous.freq_hz) {
        fail(line, "noise frequency " + frequency_text(record.freq_hz) +
                       " is below the previous line's " + frequency_text(previous.freq_hz) +
                       " (line " + std::to_string(previous.line) +
                       "): expected noise data in rising frequency");
    }
}

}  // namespace orlavex::datafiles
