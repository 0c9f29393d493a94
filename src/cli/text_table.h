// Plain-text tables for the readable output: columns padded to their widest
// cell, two blanks apart.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace orlavex::cli {

class TextTable {
  public:
    enum class Align { left, right };

    explicit TextTable(std::vector<Align> columns) : align_(std::move(columns)) {}
    void add(std::vector<std::string> cells) { rows_.push_back(std::move(cells)); }
    void print(std::ostream& out, std::string_view indent = "") const;

  private:
    std::vector<Align> align_;
    std::vector<std::vector<std::string>> rows_;
};

// X with PLACES decimals ("-97.396"), "- - -" for a missing or non-finite value.
std::string fixed(double x, int places);

}  // namespace orlavex::cli
