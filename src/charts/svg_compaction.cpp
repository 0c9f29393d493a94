#include "charts/svg_compaction.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <deque>
#include <optional>
#include <vector>

namespace orlavex::charts {

namespace {

enum class Kind { open_group, close_group, other };

struct Token {
    Kind kind;
    std::string_view text;
};

bool is_blank(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; });
}

// Group tags and whatever lies between them. The generator escapes "<" in
// texts, so "<g " and "</g>" only ever begin tags.
std::vector<Token> tokens_of(std::string_view svg) {
    std::vector<Token> tokens;
    std::size_t at = 0;
    while (at < svg.size()) {
        const std::size_t open = svg.find("<g", at);
        const std::size_t close = svg.find("</g>", at);
        const std::size_t next = std::min(open, close);
        if (next == std::string_view::npos) break;
        if (next == open && open + 2 < svg.size() && svg[open + 2] != ' ' && svg[open + 2] != '>' &&
            svg[open + 2] != '\n') {
            // Another element whose name starts with g ("<glyph"): plain text.
            const std::size_t end = open + 2;
            tokens.push_back({Kind::other, svg.substr(at, end - at)});
            at = end;
            continue;
        }
        if (next > at) tokens.push_back({Kind::other, svg.substr(at, next - at)});
        if (next == close) {
            tokens.push_back({Kind::close_group, svg.substr(close, 4)});
            at = close + 4;
        } else {
            const std::size_t end = svg.find('>', open);
            if (end == std::string_view::npos) break;
            tokens.push_back({Kind::open_group, svg.substr(open, end + 1 - open)});
            at = end + 1;
        }
    }
    if (at < svg.size()) tokens.push_back({Kind::other, svg.substr(at)});
    return tokens;
}

// Drops every group with nothing but blanks inside (after its own empty
// groups have gone).
std::vector<Token> without_empty_groups(const std::vector<Token>& tokens) {
    std::vector<Token> kept;
    std::vector<std::size_t> opened;  // index in kept of each open group
    for (const Token& t : tokens) {
        if (t.kind == Kind::open_group) {
            opened.push_back(kept.size());
            kept.push_back(t);
        } else if (t.kind == Kind::close_group && !opened.empty()) {
            const std::size_t start = opened.back();
            opened.pop_back();
            const bool empty =
                std::all_of(kept.begin() + static_cast<std::ptrdiff_t>(start) + 1, kept.end(),
                            [](const Token& inside) {
                                return inside.kind == Kind::other && is_blank(inside.text);
                            });
            if (empty) {
                kept.resize(start);
            } else {
                kept.push_back(t);
            }
        } else if (!(t.kind == Kind::other && is_blank(t.text) && !kept.empty() &&
                     kept.back().kind == Kind::other && is_blank(kept.back().text))) {
            kept.push_back(t);  // runs of blanks left by dropped groups stay one
        }
    }
    return kept;
}

std::optional<double> number_at(std::string_view text, std::size_t& at) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), value);
    if (error != std::errc()) return std::nullopt;
    at = static_cast<std::size_t>(end - text.data());
    return value;
}

std::string number_text(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.10g", value);
    return buffer;
}

// The value of attribute NAME in TAG, and where it stands.
std::optional<std::pair<std::size_t, std::size_t>> attribute(std::string_view tag,
                                                             std::string_view name) {
    const std::string key = " " + std::string(name) + "=\"";
    const std::size_t start = tag.find(key);
    if (start == std::string_view::npos) return std::nullopt;
    const std::size_t value = start + key.size();
    const std::size_t end = tag.find('"', value);
    if (end == std::string_view::npos) return std::nullopt;
    return std::pair{value, end};
}

// Chart marks come as a group that only moves the pen, around one circle:
// the move goes into the circle, so that neighbouring marks of one colour
// carry the same group attributes and can be joined.
void move_into_circles(std::vector<Token>& tokens, std::deque<std::string>& texts) {
    constexpr std::string_view move = "matrix(1,0,0,1,";
    for (std::size_t i = 0; i + 2 < tokens.size(); ++i) {
        if (tokens[i].kind != Kind::open_group || tokens[i + 1].kind != Kind::other ||
            tokens[i + 2].kind != Kind::close_group)
            continue;
        const std::string_view tag = tokens[i].text;
        const auto transform = attribute(tag, "transform");
        if (!transform) continue;
        const std::string_view matrix =
            tag.substr(transform->first, transform->second - transform->first);
        if (!matrix.starts_with(move) || !matrix.ends_with(")")) continue;
        std::size_t at = move.size();
        const auto dx = number_at(matrix, at);
        if (!dx || at >= matrix.size() || matrix[at] != ',') continue;
        ++at;
        const auto dy = number_at(matrix, at);
        if (!dy || at + 1 != matrix.size()) continue;

        std::string_view inside = tokens[i + 1].text;
        const std::size_t first = inside.find_first_not_of(" \n\r\t");
        const std::size_t last = inside.find_last_not_of(" \n\r\t");
        if (first == std::string_view::npos) continue;
        const std::string_view circle = inside.substr(first, last + 1 - first);
        if (!circle.starts_with("<circle cx=\"") || !circle.ends_with("/>") ||
            circle.find('<', 1) != std::string_view::npos)
            continue;
        const auto cx = attribute(circle, "cx");
        const auto cy = attribute(circle, "cy");
        if (!cx || !cy || cy->first < cx->second) continue;
        std::size_t x_at = cx->first, y_at = cy->first;
        const auto x = number_at(circle, x_at);
        const auto y = number_at(circle, y_at);
        if (!x || !y || x_at != cx->second || y_at != cy->second) continue;

        std::string moved_tag(tag.substr(0, transform->first));
        moved_tag += "matrix(1,0,0,1,0,0)";
        moved_tag += tag.substr(transform->second);
        std::string moved_circle(inside.substr(0, first));
        moved_circle += circle.substr(0, cx->first);
        moved_circle += number_text(*x + *dx);
        moved_circle += circle.substr(cx->second, cy->first - cx->second);
        moved_circle += number_text(*y + *dy);
        moved_circle += circle.substr(cy->second);
        moved_circle += inside.substr(last + 1);
        tokens[i].text = texts.emplace_back(std::move(moved_tag));
        tokens[i + 1].text = texts.emplace_back(std::move(moved_circle));
    }
}

}  // namespace

std::string compact_svg(std::string_view svg) {
    std::deque<std::string> texts;  // rewritten tags the tokens point into
    std::vector<Token> tokens = tokens_of(svg);
    move_into_circles(tokens, texts);
    tokens = without_empty_groups(tokens);
    std::string out;
    out.reserve(svg.size());
    std::vector<std::string_view> opened;  // the opening tag of each open group
    bool joined = false;                   // the last group tag was dropped to join two
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (joined && t.kind == Kind::other && t.text.starts_with('\n') && out.ends_with('\n')) {
            out += t.text.substr(1);
            joined = false;
            continue;
        }
        joined = false;
        if (t.kind == Kind::open_group) {
            opened.push_back(t.text);
        } else if (t.kind == Kind::close_group && !opened.empty()) {
            // "</g> <g same>": the next group goes on inside this one.
            std::size_t next = i + 1;
            if (next < tokens.size() && tokens[next].kind == Kind::other &&
                is_blank(tokens[next].text))
                ++next;
            if (next < tokens.size() && tokens[next].kind == Kind::open_group &&
                tokens[next].text == opened.back()) {
                i = next;
                joined = true;
                continue;
            }
            opened.pop_back();
        }
        out += t.text;
    }
    return out;
}

}  // namespace orlavex::charts
