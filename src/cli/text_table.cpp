#include "cli/text_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace orlavex::cli {

void TextTable::print(std::ostream& out, std::string_view indent) const {
    std::vector<std::size_t> width(align_.size(), 0);
    for (const auto& row : rows_) {
        for (std::size_t i = 0; i < row.size() && i < width.size(); ++i) {
            width[i] = std::max(width[i], row[i].size());
        }
    }
    for (const auto& row : rows_) {
        std::string line(indent);
        for (std::size_t i = 0; i < row.size() && i < width.size(); ++i) {
            const std::string pad(width[i] - row[i].size(), ' ');
            if (i > 0) line += "  ";
            line += align_[i] == Align::right ? pad + row[i] : row[i] + pad;
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out << line << '\n';
    }
}

std::string fixed(double x, int places) {
    if (!std::isfinite(x)) return "- - -";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", places, x);
    // No "-0.00": a value that rounds to zero shows without a sign.
    std::string s = buf;
    if (s.front() == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
    return s;
}

}  // namespace orlavex::cli
