#include "app/json_positions.h"

#include <cstddef>
#include <iterator>
#include <vector>

namespace orlavex::app {

namespace {

// The lines the parser has passed. The parser reads one character past a
// number before it knows the number has ended; the line of the last
// character it took is not counted, so that a value's line is the line it
// is written on even where a line break ends it.
struct LineCounter {
    int newlines_before_last = 0;
    bool last_was_newline = false;
    int line() const { return 1 + newlines_before_last; }
    void take(char c) {
        if (last_was_newline) ++newlines_before_last;
        last_was_newline = c == '\n';
    }
};

// A character iterator that tells the counter of each character the parser takes.
class CountingIterator {
  public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    CountingIterator(const char* at, LineCounter* counter) : at_(at), counter_(counter) {}
    const char& operator*() const { return *at_; }
    CountingIterator& operator++() {
        counter_->take(*at_);
        ++at_;
        return *this;
    }
    CountingIterator operator++(int) {
        CountingIterator before = *this;
        ++*this;
        return before;
    }
    bool operator==(const CountingIterator& other) const { return at_ == other.at_; }

  private:
    const char* at_;
    LineCounter* counter_;
};

// The document built as nlohmann's own parser builds it, with the line of
// every key and array element noted on the way.
class PositionRecorder {
  public:
    PositionRecorder(PositionedJson& out, const LineCounter& counter,
                     std::optional<JsonSyntaxError>& error)
        : dom_(out.value), out_(out), counter_(counter), error_(error) {}

    bool null() { return at_value(), dom_.null(); }
    bool boolean(bool b) { return at_value(), dom_.boolean(b); }
    bool number_integer(Json::number_integer_t x) { return at_value(), dom_.number_integer(x); }
    bool number_unsigned(Json::number_unsigned_t x) { return at_value(), dom_.number_unsigned(x); }
    bool number_float(Json::number_float_t x, const std::string& text) {
        return at_value(), dom_.number_float(x, text);
    }
    bool string(std::string& s) { return at_value(), dom_.string(s); }
    bool binary(Json::binary_t& b) { return at_value(), dom_.binary(b); }

    bool start_object(std::size_t size) {
        levels_.push_back({at_value(), false});
        return dom_.start_object(size);
    }
    bool key(std::string& name) {
        key_pointer_ = member_pointer(levels_.back().pointer, name);
        if (!out_.lines.emplace(key_pointer_, counter_.line()).second && !out_.duplicate_key)
            out_.duplicate_key = key_pointer_;
        return dom_.key(name);
    }
    bool end_object() {
        levels_.pop_back();
        return dom_.end_object();
    }
    bool start_array(std::size_t size) {
        levels_.push_back({at_value(), true});
        return dom_.start_array(size);
    }
    bool end_array() {
        levels_.pop_back();
        return dom_.end_array();
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& e) {
        error_ = JsonSyntaxError{counter_.line(), without_position(e.what())};
        return false;
    }

  private:
    struct Level {
        std::string pointer;
        bool is_array;
        std::size_t next_index = 0;
    };

    // The pointer of the value that starts now; an array element's line is noted.
    std::string at_value() {
        if (levels_.empty()) {
            out_.lines.emplace("", counter_.line());
            return {};
        }
        Level& top = levels_.back();
        if (!top.is_array) return key_pointer_;
        std::string pointer = top.pointer + "/" + std::to_string(top.next_index++);
        out_.lines.emplace(pointer, counter_.line());
        return pointer;
    }

    // "[json.exception.parse_error.101] parse error at line 2, column 3: syntax
    // error ..." without what comes before "syntax error".
    static std::string without_position(std::string_view what) {
        const std::size_t column = what.find(", column ");
        const std::size_t colon = what.find(": ", column == std::string_view::npos ? 0 : column);
        return std::string(colon == std::string_view::npos ? what : what.substr(colon + 2));
    }

    nlohmann::detail::json_sax_dom_parser<Json> dom_;
    PositionedJson& out_;
    const LineCounter& counter_;
    std::optional<JsonSyntaxError>& error_;
    std::vector<Level> levels_;
    std::string key_pointer_;
};

}  // namespace

int PositionedJson::line_of(std::string pointer) const {
    while (true) {
        if (const auto it = lines.find(pointer); it != lines.end()) return it->second;
        if (pointer.empty()) return 1;
        pointer.erase(pointer.rfind('/'));
    }
}

std::string member_pointer(const std::string& parent, std::string_view key) {
    std::string pointer = parent + "/";
    for (char c : key) {
        if (c == '~') {
            pointer += "~0";
        } else if (c == '/') {
            pointer += "~1";
        } else {
            pointer += c;
        }
    }
    return pointer;
}

PositionedJson parse_positioned(std::string_view text, std::optional<JsonSyntaxError>& error) {
    PositionedJson out;
    LineCounter counter;
    PositionRecorder recorder(out, counter, error);
    error.reset();
    Json::sax_parse(CountingIterator(text.data(), &counter),
                    CountingIterator(text.data() + text.size(), &counter), &recorder);
    if (error) out.value = nullptr;
    return out;
}

}  // namespace orlavex::app
