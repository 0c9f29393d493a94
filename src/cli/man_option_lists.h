// The man page's lists of set-up options, written from the input rows: the
// window's fields, the measured levels, the bench, the measurement model's
// options and the known reflections typed. The page's template holds the
// prose and names where each list goes, so that a new row's entry follows
// from the row.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace orlavex::cli {

struct ManOptionList {
    std::string_view name;  // in the template's mark: "@OPTIONS bench@"
    std::string (*roff)();  // its entries, one .TP each
};

// Every list, in the order the page has them.
std::span<const ManOptionList> man_option_lists();

// PAGE_TEMPLATE with each line "@OPTIONS name@" replaced by that list.
// Throws std::invalid_argument for a mark of no list, and for a list the
// template places twice or not at all.
std::string fill_man_page(std::string_view page_template);

}  // namespace orlavex::cli
