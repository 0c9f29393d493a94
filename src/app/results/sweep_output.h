// A sweep's result as CSV (one header row, one row per point) and JSON.
#pragma once

#include "app/json.h"
#include "app/results/sweep_columns.h"
#include "planning/sweep.h"

#include <filesystem>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace orlavex::app {

// RFC 4180: comma-separated, a field with a comma, quote or line break in
// double quotes, a point for decimals, so that it opens as one tidy table.
void write_sweep_csv(std::ostream& out, const planning::SweepResult& result, bool monte_carlo);
// The same CSV as FILE's whole new content, written whole or not at all (a
// failed write leaves the previous file as it was): empty when done, else
// why not ("No space left on device", "it is a FIFO, not a regular file").
std::string write_sweep_csv_file(const std::filesystem::path& file,
                                 const planning::SweepResult& result, bool monte_carlo);

// {"over", "column", "points": [{column: value, ...}], "band_edges": [...]}
Json sweep_json(const planning::SweepResult& result, bool monte_carlo);
// The same text as sweep_json(...).dump(2) and a newline, written a row at a
// time.
void write_sweep_json(std::ostream& out, const planning::SweepResult& result, bool monte_carlo);

// A sweep's CSV or JSON written a chunk of points at a time, as
// planning::stream_sweep hands them over: the same text as the writers
// above, without holding the points. Give it to stream_sweep as its sink;
// the JSON's closing part follows `finish`.
class SweepStreamWriter {
  public:
    enum class Format { csv, json };
    SweepStreamWriter(std::ostream& out, Format format, bool monte_carlo)
        : out_(out), format_(format), monte_carlo_(monte_carlo) {}

    void operator()(const planning::SweepResult& outline,
                    std::span<const planning::SweepPoint> chunk);
    // After the last chunk: JSON's end (the band edges), nothing for CSV.
    void finish(const planning::SweepResult& outline);

  private:
    void begin(const planning::SweepResult& outline);

    std::ostream& out_;
    Format format_;
    bool monte_carlo_;
    std::vector<SweepColumn> columns_;  // empty until the first chunk
    std::size_t written_ = 0;
};

// FIELD as one CSV field, quoted when it must be.
std::string csv_field(const std::string& field);

// One cell of COLUMN at POINT as CSV and the table write it.
std::string cell_text(const SweepColumn& column, const planning::SweepPoint& point);

}  // namespace orlavex::app
