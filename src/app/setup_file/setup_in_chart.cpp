#include "app/setup_file/setup_in_chart.h"

#include "app/setup_file/setup_file.h"

#include <zlib.h>

#include <cstdint>

namespace orlavex::app {

namespace {

constexpr std::string_view png_signature = "\x89PNG\r\n\x1a\n";
constexpr std::string_view setup_key = "orlavex:setup";
// Ten times a set-up file's own limit is more than any chart's set-up
// inflates to; beyond it the chunk is refused, not inflated.
constexpr std::size_t largest_inflated = 64u << 20;

std::uint32_t big_endian(std::string_view bytes) {
    std::uint32_t x = 0;
    for (const char c : bytes.substr(0, 4))
        x = (x << 8) | static_cast<unsigned char>(c);
    return x;
}

std::optional<std::string> inflated(std::string_view deflated) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return std::nullopt;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(deflated.data()));
    z.avail_in = static_cast<uInt>(deflated.size());
    std::string out;
    char buffer[16384];
    int status = Z_OK;
    while (status == Z_OK && out.size() <= largest_inflated) {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        status = inflate(&z, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - z.avail_out);
    }
    inflateEnd(&z);
    if (status != Z_STREAM_END) return std::nullopt;
    return out;
}

// The text of a tEXt, zTXt or iTXt chunk's DATA when its key is the
// set-up's; nothing for another key. A set-up chunk that cannot be read is
// a SetupFileError.
std::optional<std::string> setup_text(std::string_view type, std::string_view data,
                                      std::string_view file_name) {
    const std::size_t key_end = data.find('\0');
    if (key_end == std::string_view::npos || data.substr(0, key_end) != setup_key) return {};
    std::string_view rest = data.substr(key_end + 1);
    const auto unreadable = [&] {
        return SetupFileError(std::string(file_name) + ": the chart's set-up cannot be read");
    };
    if (type == "tEXt") return std::string(rest);
    if (type == "zTXt") {
        if (rest.empty()) throw unreadable();
        if (auto text = inflated(rest.substr(1))) return text;
        throw unreadable();
    }
    // iTXt: compression flag and method, language tag, translated key, text.
    if (rest.size() < 2) throw unreadable();
    const bool compressed = rest[0] != 0;
    rest.remove_prefix(2);
    for (int field = 0; field < 2; ++field) {
        const std::size_t end = rest.find('\0');
        if (end == std::string_view::npos) throw unreadable();
        rest.remove_prefix(end + 1);
    }
    if (!compressed) return std::string(rest);
    if (auto text = inflated(rest)) return text;
    throw unreadable();
}

std::optional<std::string> setup_in_png(std::string_view bytes, std::string_view file_name) {
    std::size_t at = png_signature.size();
    while (at + 12 <= bytes.size()) {
        const std::uint32_t length = big_endian(bytes.substr(at));
        const std::string_view type = bytes.substr(at + 4, 4);
        if (length > bytes.size() - at - 12) break;
        const std::string_view data = bytes.substr(at + 8, length);
        if (type == "tEXt" || type == "zTXt" || type == "iTXt") {
            if (auto text = setup_text(type, data, file_name)) return text;
        }
        if (type == "IEND") break;
        at += 12 + length;
    }
    return std::nullopt;
}

// The five entities XML writes; the set-up was written with &, < and >.
std::string xml_unescaped(std::string_view text) {
    constexpr std::pair<std::string_view, char> entities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& [entity, c] : entities) {
            if (text.substr(i, entity.size()) == entity) {
                out += c;
                i += entity.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) out += text[i++];
    }
    return out;
}

std::optional<std::string> setup_in_svg(std::string_view bytes) {
    constexpr std::string_view open = "<metadata id=\"orlavex-setup\">";
    const std::size_t start = bytes.find(open);
    if (start == std::string_view::npos) return std::nullopt;
    const std::size_t end = bytes.find("</metadata>", start);
    if (end == std::string_view::npos) return std::nullopt;
    return xml_unescaped(bytes.substr(start + open.size(), end - start - open.size()));
}

bool is_svg(std::string_view bytes) {
    const std::size_t first = bytes.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return false;
    const std::string_view head = bytes.substr(first, 5);
    return (head == "<?xml" || head.starts_with("<svg")) &&
           bytes.substr(0, 4096).find("<svg") != std::string_view::npos;
}

}  // namespace

std::optional<std::string> setup_in_chart(std::string_view bytes, std::string_view file_name) {
    std::optional<std::string> text;
    if (bytes.starts_with(png_signature)) {
        text = setup_in_png(bytes, file_name);
    } else if (is_svg(bytes)) {
        text = setup_in_svg(bytes);
    } else {
        return std::nullopt;
    }
    if (!text) {
        throw SetupFileError(std::string(file_name) +
                             ": a chart without its set-up (charts made by orlavex-cli and the "
                             "planner carry theirs)");
    }
    return text;
}

}  // namespace orlavex::app
