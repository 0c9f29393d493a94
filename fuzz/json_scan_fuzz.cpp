// The quick JSON scan against nlohmann-json's parser: any text gives the
// same value (every number of the same type), the same lines, the same
// duplicate key and the same error both ways.
#include "app/setup_file/json_positions.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

using namespace orlavex::app;

void require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// Equal values of equal types throughout (1 and 1.0 compare equal as values).
bool same(const Json& a, const Json& b) {
    if (a.type() != b.type()) return false;
    if (a.is_structured()) {
        if (a.size() != b.size()) return false;
        auto left = a.items().begin();
        auto right = b.items().begin();
        for (; left != a.items().end(); ++left, ++right) {
            if (left.key() != right.key() || !same(left.value(), right.value())) return false;
        }
        return true;
    }
    return a == b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const JsonReading reading : {JsonReading{}, JsonReading{"lines", 50}}) {
        std::optional<JsonSyntaxError> quick, library;
        const PositionedJson a = parse_positioned(text, quick, reading);
        const PositionedJson b = parse_positioned_by_library(text, library, reading);
        require(same(a.value, b.value), "the values differ");
        require(a.lines == b.lines, "the lines differ");
        require(a.duplicate_key == b.duplicate_key && a.duplicate_line == b.duplicate_line,
                "the duplicate keys differ");
        require(quick.has_value() == library.has_value(), "one reading fails, the other not");
        if (quick) {
            require(quick->line == library->line && quick->message == library->message &&
                        quick->over_limit == library->over_limit &&
                        quick->nul_column == library->nul_column,
                    "the errors differ");
        }
    }
    return 0;
}
