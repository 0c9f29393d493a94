#include "python/text_array.h"

#include "python/code_points.h"

#include <algorithm>

namespace orlavex::python {

namespace py = pybind11;

std::optional<py::array> text_array(const std::vector<std::string>& texts) {
    std::size_t longest = 1;  // numpy's str dtype is at least one character wide
    std::vector<bool> plain(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        plain[i] = plain_ascii(texts[i]);
        const std::optional<std::size_t> count =
            plain[i] ? texts[i].size() : decode_utf8(texts[i], nullptr);
        if (!count) return std::nullopt;
        longest = std::max(longest, *count);
    }
    py::array array(py::dtype("U" + std::to_string(longest)),
                    std::vector<py::ssize_t>{static_cast<py::ssize_t>(texts.size())});
    auto* const data = static_cast<char32_t*>(array.mutable_data());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        char32_t* const out = data + i * longest;
        std::size_t count = texts[i].size();
        if (plain[i]) {
            std::copy(texts[i].begin(), texts[i].end(), out);
        } else {
            count = *decode_utf8(texts[i], out);
        }
        std::fill(out + count, out + longest, U'\0');  // the rest of the element
    }
    return array;
}

}  // namespace orlavex::python
