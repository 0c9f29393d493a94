#include "python/text_array.h"

#include <algorithm>
#include <cstring>

namespace orlavex::python {

namespace py = pybind11;

namespace {

// The length of the sequence a UTF-8 lead byte starts, 0 for a byte that
// cannot start one.
int sequence_length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xc2 && lead <= 0xdf) return 2;
    if (lead >= 0xe0 && lead <= 0xef) return 3;
    if (lead >= 0xf0 && lead <= 0xf4) return 4;
    return 0;
}

// The smallest code point each length may carry: a smaller one is overlong.
constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};

// The code point of the sequence at TEXT[I] and its length; length 0 when it
// is malformed.
std::pair<char32_t, int> decode_one(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int length = sequence_length(lead);
    if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) return {0, 0};
    if (length == 1) return {lead, 1};
    char32_t c = lead & (0x7f >> length);
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
        if ((next & 0xc0) != 0x80) return {0, 0};
        c = (c << 6) | (next & 0x3f);
    }
    const bool surrogate = c >= 0xd800 && c <= 0xdfff;
    if (c < smallest[length] || surrogate || c > 0x10ffff) return {0, 0};
    return {c, length};
}

// True when every byte of TEXT is ASCII other than NUL: one code point per
// byte. (No early exit: the loop vectorises.)
bool plain_ascii(std::string_view text) {
    unsigned outside = 0;
    for (const char c : text)
        outside |= static_cast<unsigned>(static_cast<unsigned char>(c) - 1u >= 0x7fu);
    return outside == 0;
}

// Decodes TEXT into OUT (when not null); the number of code points, or
// nothing for malformed UTF-8 or a NUL.
std::optional<std::size_t> decode(std::string_view text, char32_t* out) {
    if (plain_ascii(text)) {
        if (out != nullptr) std::copy(text.begin(), text.end(), out);
        return text.size();
    }
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const auto [c, length] = decode_one(text, i);
        if (length == 0 || c == 0) return std::nullopt;
        if (out != nullptr) out[count] = c;
        i += static_cast<std::size_t>(length);
    }
    return count;
}

}  // namespace

bool append_code_points(std::string_view text, std::vector<char32_t>& out) {
    const std::optional<std::size_t> count = decode(text, nullptr);
    if (!count) return false;
    const std::size_t begin = out.size();
    out.resize(begin + *count);
    decode(text, out.data() + begin);
    return true;
}

std::optional<py::array> text_array(const std::vector<std::string>& texts) {
    std::size_t longest = 1;  // numpy's str dtype is at least one character wide
    for (const std::string& text : texts) {
        const std::optional<std::size_t> count = decode(text, nullptr);
        if (!count) return std::nullopt;
        longest = std::max(longest, *count);
    }
    py::array array(py::dtype("U" + std::to_string(longest)),
                    std::vector<py::ssize_t>{static_cast<py::ssize_t>(texts.size())});
    auto* out = static_cast<char32_t*>(array.mutable_data());
    std::memset(out, 0, texts.size() * longest * sizeof(char32_t));
    for (std::size_t i = 0; i < texts.size(); ++i)
        decode(texts[i], out + i * longest);
    return array;
}

}  // namespace orlavex::python
