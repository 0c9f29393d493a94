// A CSV text read back as a spreadsheet would: quoted fields, doubled
// quotes, CRLF or LF line ends.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace orlavex::cli::test {

struct CsvTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;

    // The cell of ROW under COLUMN; fails the test when there is no such column.
    const std::string& cell(std::size_t row, const std::string& column) const;
    double number(std::size_t row, const std::string& column) const;
};

// Fails the test on an unterminated quote.
CsvTable parse_csv(const std::string& text);

}  // namespace orlavex::cli::test
