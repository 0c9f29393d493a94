// The records of a Touchstone file's network data, read number by number so
// that a record may run over several lines, and the lines of its noise data.
// Internal to the readers.
#pragma once

#include "datafiles/text_lines.h"
#include "datafiles/touchstone.h"
#include "datafiles/touchstone_options.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orlavex::datafiles {

enum class TwoPortOrder { s21_first, s12_first };  // 21_12 (as in 1.x) or 12_21
enum class MatrixFormat { full, lower, upper };    // lower and upper: S12 = S21

class RecordReader {
  public:
    RecordReader(std::string_view file, int ports)
        : file_(file), ports_(ports), slots_(slots_of(ports, order_, matrix_)) {}

    void set_order(TwoPortOrder order) {
        order_ = order;
        slots_ = slots_of(ports_, order_, matrix_);
    }
    void set_matrix(MatrixFormat matrix) {
        matrix_ = matrix;
        slots_ = slots_of(ports_, order_, matrix_);
    }
    MatrixFormat matrix() const { return matrix_; }

    // A line of network data. With `noise_by_frequency` (Touchstone 1.x) a
    // 2-port line of five numbers (or fewer) at or below the last frequency
    // starts the noise block, and every later line belongs to it.
    void data_line(const NumberFields& fields, int line, const TouchstoneOptions& options,
                   bool noise_by_frequency);
    // A line that holds a whole record in short numbers, as data_line reads
    // it but without splitting it into fields; false (nothing read) for any
    // other line, left to data_line to read or to say what is wrong.
    bool whole_record_line(std::string_view content, int line, const TouchstoneOptions& options);
    // A line of noise parameters, its frequency in units of UNIT_HZ.
    void noise_line(const NumberFields& fields, int line, double unit_hz);
    // The record under way must be complete by now (at a keyword on LINE,
    // or at the end of the file for 0).
    void end_record(int line);

    bool started() const { return !records_.empty() || numbers_ > 0; }
    std::size_t record_count() const { return records_.size(); }
    std::size_t noise_lines() const { return noise_.size(); }
    std::vector<TouchstoneRecord> take_records() { return std::move(records_); }
    std::vector<NoiseRecord> take_noise() { return std::move(noise_); }

    struct Slot {
        std::string_view name;  // "S21"
        std::complex<double> TouchstoneRecord::*value;
    };

  private:
    [[noreturn]] void fail(int line, std::string message) const;
    static std::span<const Slot> slots_of(int ports, TwoPortOrder order, MatrixFormat matrix);
    std::span<const Slot> slots() const { return slots_; }
    std::size_t expected() const { return 1 + 2 * slots().size(); }
    std::string record_form() const;
    // Kept apart from the reading of numbers, which makes no text.
    [[noreturn]] void not_a_number(const NumberField& field, std::string_view what, int line) const;
    [[noreturn]] void not_a_value(const NumberField& field, const Slot& slot, bool second,
                                  SParameterFormat format, int line) const;
    // Field I of FIELDS, a number.
    double number(const NumberFields& fields, std::size_t i, std::string_view what, int line) const;
    void start_record(double freq_hz, int line);
    void add_value(const NumberFields& fields, std::size_t i, int line,
                   const TouchstoneOptions& options);
    // The pairs of a record written whole on one line.
    void read_pairs(const NumberFields& fields, int line, SParameterFormat format);
    // FOUND numbers on LINE are more than the record takes.
    [[noreturn]] void too_many_numbers(std::size_t found, int line) const;
    void complete_record(int line);
    void out_of_order(double freq_hz, int line) const;
    // A noise record's values are in range and its frequency above the last one's.
    void check_noise(const NoiseRecord& record, double magnitude) const;
    std::complex<double> pair(double a, double b, std::string_view s_name, SParameterFormat format,
                              int line) const;

    std::string_view file_;
    int ports_;
    TwoPortOrder order_ = TwoPortOrder::s21_first;
    MatrixFormat matrix_ = MatrixFormat::full;
    std::span<const Slot> slots_;  // of the order and matrix format
    std::vector<TouchstoneRecord> records_;
    bool in_noise_block_ = false;
    std::vector<NoiseRecord> noise_;

    // The record under way.
    TouchstoneRecord record_{};
    std::size_t numbers_ = 0;  // read so far, the frequency included
    double first_half_ = 0;    // of a pair
    int first_line_ = 0;       // where it starts
    int last_line_ = 0;        // the last line that added numbers
};

}  // namespace orlavex::datafiles
