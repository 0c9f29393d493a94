#include "csv_table.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orlavex::cli::test {

const std::string& CsvTable::cell(std::size_t row, const std::string& column) const {
    static const std::string none;
    const auto at = std::ranges::find(header, column);
    if (at == header.end()) {
        ADD_FAILURE() << "no column " << column;
        return none;
    }
    return rows.at(row).at(static_cast<std::size_t>(at - header.begin()));
}

double CsvTable::number(std::size_t row, const std::string& column) const {
    return std::stod(cell(row, column));
}

CsvTable parse_csv(const std::string& text) {
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            record.push_back(std::move(field));
            field.clear();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            record.push_back(std::move(field));
            field.clear();
            records.push_back(std::move(record));
            record.clear();
        } else {
            field += c;
        }
    }
    EXPECT_FALSE(quoted) << "unterminated quote";
    if (!field.empty() || !record.empty()) {
        record.push_back(field);
        records.push_back(record);
    }
    CsvTable table;
    if (records.empty()) return table;
    table.header = records.front();
    table.rows.assign(records.begin() + 1, records.end());
    return table;
}

}  // namespace orlavex::cli::test
