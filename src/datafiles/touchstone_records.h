// The records of a Touchstone file's network data, read number by number so
// that a record may run over several lines, and the lines of its noise data.
// Internal to the readers.
#pragma once

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
    RecordReader(std::string_view file, int ports) : file_(file), ports_(ports) {}

    void set_order(TwoPortOrder order) { order_ = order; }
    void set_matrix(MatrixFormat matrix) { matrix_ = matrix; }
    MatrixFormat matrix() const { return matrix_; }

    // A line of network data. With `noise_by_frequency` (Touchstone 1.x) a
    // 2-port line of five numbers at or below the last frequency starts the
    // noise block, and every later line belongs to it.
    void data_line(const std::vector<std::string_view>& fields, int line,
                   const TouchstoneOptions& options, bool noise_by_frequency);
    void noise_line(const std::vector<std::string_view>& fields, int line);
    // The record under way must be complete by now (at a keyword on LINE,
    // or at the end of the file for 0).
    void end_record(int line);

    bool started() const { return !records_.empty() || numbers_ > 0; }
    std::size_t record_count() const { return records_.size(); }
    int noise_lines() const { return noise_lines_; }
    std::vector<TouchstoneRecord> take_records() { return std::move(records_); }

    struct Slot {
        std::string_view name;  // "S21"
        std::complex<double> TouchstoneRecord::*value;
    };

  private:
    [[noreturn]] void fail(int line, std::string message) const;
    std::span<const Slot> slots() const;
    std::size_t expected() const { return 1 + 2 * slots().size(); }
    std::string record_form() const;
    double number(std::string_view field, std::string_view what, int line) const;
    void start_record(std::string_view field, int line, const TouchstoneOptions& options);
    void add_value(std::string_view field, int line, const TouchstoneOptions& options);
    void complete_record(int line);
    void out_of_order(double freq_hz, int line) const;
    std::complex<double> pair(double a, double b, std::string_view s_name, SParameterFormat format,
                              int line) const;

    std::string_view file_;
    int ports_;
    TwoPortOrder order_ = TwoPortOrder::s21_first;
    MatrixFormat matrix_ = MatrixFormat::full;
    std::vector<TouchstoneRecord> records_;
    bool in_noise_block_ = false;
    int noise_lines_ = 0;

    // The record under way.
    TouchstoneRecord record_{};
    std::size_t numbers_ = 0;  // read so far, the frequency included
    double first_half_ = 0;    // of a pair
    int first_line_ = 0;       // where it starts
    int last_line_ = 0;        // the last line that added numbers
};

}  // namespace orlavex::datafiles
