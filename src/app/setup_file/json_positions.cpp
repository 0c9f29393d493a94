#include "app/setup_file/json_positions.h"

#include "app/setup_file/json_scan.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace orlavex::app {

namespace {

// The lines the parser has passed. The parser reads one character past a
// number before it knows the number has ended; the line of the last
// character it took is not counted, so that a value's line is the line it
// is written on even where a line break ends it.
struct LineCounter {
    int newlines_before_last = 0;
    bool last_was_newline = false;
    bool last_was_nul = false;
    std::size_t taken = 0;
    int line() const { return 1 + newlines_before_last; }
    void take(char c) {
        if (last_was_newline) ++newlines_before_last;
        last_was_newline = c == '\n';
        last_was_nul = c == '\0';
        ++taken;
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

// An array of strings being joined: its bytes and each string's length,
// which give the strings back should the array hold anything else.
struct JoinedArray {
    Json* target;
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint32_t> lengths;
};

// The document built value by value, with the line of every key and array
// element noted as it starts. The objects and arrays being filled are held
// by address: a container does not grow while one of its members is open,
// so the addresses stay good.
class PositionRecorder {
  public:
    // TEXT_SIZE bounds what the joined arrays can hold: room for it is
    // taken at once, untouched memory costing nothing, so that the bytes
    // are not copied as they grow.
    PositionRecorder(PositionedJson& out, const LineCounter& counter,
                     std::optional<JsonSyntaxError>& error, const JsonReading& reading,
                     std::size_t text_size)
        : out_(out), counter_(counter), error_(error), reading_(reading), unjoined_(text_size) {}

    bool null() { return counted() && (place(nullptr), true); }
    bool boolean(bool b) { return counted() && (place(b), true); }
    bool number_integer(Json::number_integer_t x) { return counted() && (place(x), true); }
    bool number_unsigned(Json::number_unsigned_t x) { return counted() && (place(x), true); }
    bool number_float(Json::number_float_t x, const std::string&) {
        return counted() && (place(x), true);
    }
    // A string value as JsonScan gives it, appended straight to the lines
    // being joined.
    bool text(std::string_view s) {
        if (!joined_) return counted() && (place(std::string(s)), true);
        out_.lines.push_back(counter_.line());
        std::vector<std::uint8_t>& bytes = joined_->bytes;
        const std::size_t at = bytes.size() + (joined_->lengths.empty() ? 0 : 1);
        bytes.resize(at + s.size());
        if (at > 0) bytes[at - 1] = '\n';
        std::memcpy(bytes.data() + at, s.data(), s.size());
        joined_->lengths.push_back(static_cast<std::uint32_t>(s.size()));
        return true;
    }
    bool string(std::string& s) { return text(s); }
    bool binary(Json::binary_t& b) {
        return counted() && (place(Json::binary(std::move(b))), true);
    }

    bool start_object(std::size_t) { return open(Json::object()); }
    bool start_array(std::size_t) {
        const bool joins = joins_next_ && !joined_;
        if (!joins) return open(Json::array());
        if (!counted() || !deeper_allowed()) return false;
        joined_ = JoinedArray{place(nullptr), {}, {}};
        joined_->bytes.reserve(unjoined_);
        return true;
    }
    bool end_object() { return open_.pop_back(), true; }
    bool end_array() {
        if (!joined_) return open_.pop_back(), true;
        const std::size_t count = joined_->lengths.size();
        unjoined_ -= std::min(unjoined_, joined_->bytes.size());
        *joined_->target =
            count == 0 ? Json::array() : Json::binary(std::move(joined_->bytes), count);
        joined_.reset();
        return true;
    }
    bool key(std::string& name) {
        if (!counted()) return false;
        Json& object = *open_.back();
        out_.lines.push_back(counter_.line());
        if (!out_.duplicate_key && object.contains(name)) {
            out_.duplicate_key = member_pointer(open_pointer(), name);
            out_.duplicate_line = counter_.line();
        }
        member_ = &object[name];
        joins_next_ = !reading_.joined_key.empty() && name == reading_.joined_key;
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& e) {
        error_ = JsonSyntaxError{counter_.line(), without_position(e.what())};
        return false;
    }

  private:
    // VALUE put where the text has it: the whole text, the next element of
    // the open array, or the member whose key came last.
    Json* place(Json&& value) {
        if (joined_) split_joined();
        if (open_.empty()) {
            out_.lines.push_back(counter_.line());
            out_.value = std::move(value);
            return &out_.value;
        }
        Json& parent = *open_.back();
        if (!parent.is_array()) {
            joins_next_ = false;
            *member_ = std::move(value);
            return member_;
        }
        out_.lines.push_back(counter_.line());
        parent.push_back(std::move(value));
        return &parent.back();
    }

    // The array being joined holds more than strings: it becomes an array
    // of its strings again, open to take the rest.
    void split_joined() {
        Json strings = Json::array();
        std::size_t at = 0;
        for (const std::uint32_t length : joined_->lengths) {
            const auto* begin = joined_->bytes.data() + at;
            strings.push_back(std::string(begin, begin + length));
            at += length + 1;
        }
        *joined_->target = std::move(strings);
        open_.push_back(joined_->target);
        joined_.reset();
    }

    bool over_limit(std::string message) {
        error_ = JsonSyntaxError{counter_.line(), std::move(message), true};
        return false;
    }

    // One more key or value, beside the joined strings.
    bool counted() {
        // Anything but a string in a joined array makes its strings values.
        values_ += 1 + (joined_ ? joined_->lengths.size() : 0);
        if (values_ <= reading_.most_values) return true;
        return over_limit("more than " + std::to_string(reading_.most_values) + " keys and values");
    }

    bool deeper_allowed() {
        if (open_.size() + (joined_ ? 1 : 0) < deepest_json_nesting) return true;
        return over_limit("nested deeper than " + std::to_string(deepest_json_nesting) + " levels");
    }

    bool open(Json&& container) {
        if (!counted() || !deeper_allowed()) return false;
        open_.push_back(place(std::move(container)));
        return true;
    }

    // The pointer of the innermost open container, found from the
    // addresses (only for a message).
    std::string open_pointer() const {
        std::string pointer;
        for (std::size_t i = 1; i < open_.size(); ++i) {
            const Json& parent = *open_[i - 1];
            if (parent.is_array()) {
                pointer += "/" + std::to_string(open_[i] - &parent.front());
                continue;
            }
            for (const auto& member : parent.items()) {
                if (&member.value() == open_[i]) pointer = member_pointer(pointer, member.key());
            }
        }
        return pointer;
    }

    // "[json.exception.parse_error.101] parse error at line 2, column 3: syntax
    // error ..." without what comes before "syntax error".
    static std::string without_position(std::string_view what) {
        const std::size_t column = what.find(", column ");
        const std::size_t colon = what.find(": ", column == std::string_view::npos ? 0 : column);
        return std::string(colon == std::string_view::npos ? what : what.substr(colon + 2));
    }

    PositionedJson& out_;
    const LineCounter& counter_;
    std::optional<JsonSyntaxError>& error_;
    const JsonReading& reading_;
    std::size_t values_ = 0;
    std::size_t unjoined_;  // the bytes of text not yet joined
    std::vector<Json*> open_;
    Json* member_ = nullptr;
    bool joins_next_ = false;  // the member whose key came last is the joined key
    std::optional<JoinedArray> joined_;
};

// How many keys and elements VALUE holds, itself included: how far its
// members' lines reach in PositionedJson::lines. Its depth is limited.
std::size_t parts(const Json& value) {
    if (is_joined_lines(value)) return 1 + joined_line_count(value);
    std::size_t count = 1;
    if (value.is_structured()) {
        for (const Json& member : value)
            count += parts(member);
    }
    return count;
}

// TOKEN as an index below SIZE.
std::optional<std::size_t> array_index(const std::string& token, std::size_t size) {
    std::size_t index = 0;
    const char* end = token.data() + token.size();
    const auto [at, error] = std::from_chars(token.data(), end, index);
    const bool leading_zero = token.size() > 1 && token.front() == '0';
    if (error != std::errc() || at != end || leading_zero || index >= size) return std::nullopt;
    return index;
}

// The next reference token of POINTER, unescaped; POINTER keeps the rest.
std::string next_token(std::string_view& pointer) {
    pointer.remove_prefix(1);
    const std::size_t end = std::min(pointer.find('/'), pointer.size());
    std::string token;
    for (std::size_t i = 0; i < end; ++i) {
        const bool escaped = pointer[i] == '~' && i + 1 < end;
        token += escaped ? (pointer[i + 1] == '1' ? '/' : '~') : pointer[i];
        if (escaped) ++i;
    }
    pointer.remove_prefix(end);
    return token;
}

// The member TOKEN names in the container VALUE, or nullptr; SKIPPED grows
// by the parts written before it.
const Json* member_named(const Json& value, const std::string& token, std::size_t& skipped) {
    if (value.is_object()) {
        for (const auto& member : value.items()) {
            if (member.key() == token) return &member.value();
            skipped += parts(member.value());
        }
    } else if (value.is_array()) {
        const std::optional<std::size_t> index = array_index(token, value.size());
        if (!index) return nullptr;
        for (std::size_t i = 0; i < *index; ++i)
            skipped += parts(value[i]);
        return &value[*index];
    }
    return nullptr;
}

// The parser takes a NUL byte outside a string for the end of the text: it
// reports the end of input where one stands in the middle, and reads a
// value followed by one and anything after it as the value alone. The NUL
// byte at AT is the error instead, at its line and column (in characters:
// a UTF-8 continuation byte adds none).
JsonSyntaxError nul_byte_error(std::string_view text, std::size_t at) {
    const std::string_view before = text.substr(0, at);
    const std::size_t line_start = before.rfind('\n') + 1;  // 0 on the first line
    const auto starts_character = [](char c) {
        return (static_cast<unsigned char>(c) & 0xc0) != 0x80;
    };
    JsonSyntaxError error;
    error.line = 1 + static_cast<int>(std::ranges::count(before, '\n'));
    error.nul_column =
        1 + static_cast<int>(std::ranges::count_if(before.substr(line_start), starts_character));
    error.message = "a NUL byte (U+0000) at column " + std::to_string(error.nul_column);
    return error;
}

}  // namespace

int PositionedJson::line_of(std::string_view pointer) const {
    if (duplicate_key && pointer == *duplicate_key) return duplicate_line;
    const Json* at = &value;
    std::size_t index = 0;
    while (!pointer.empty()) {
        const std::string token = next_token(pointer);
        if (is_joined_lines(*at)) {  // its strings hold nothing deeper
            const std::optional<std::size_t> line = array_index(token, joined_line_count(*at));
            if (line) index += 1 + *line;
            break;
        }
        std::size_t skipped = 0;
        const Json* member = member_named(*at, token, skipped);
        if (member == nullptr) break;
        at = member;
        index += 1 + skipped;
    }
    return index < lines.size() ? lines[index] : 1;
}

bool is_joined_lines(const Json& value) {
    return value.is_binary();
}

std::size_t joined_line_count(const Json& value) {
    return is_joined_lines(value) ? value.get_binary().subtype() : 0;
}

std::string joined_text(const Json& value) {
    const Json::binary_t& bytes = value.get_binary();
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
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

PositionedJson parse_positioned_by_library(std::string_view text,
                                           std::optional<JsonSyntaxError>& error,
                                           const JsonReading& reading) {
    PositionedJson out;
    LineCounter counter;
    PositionRecorder recorder(out, counter, error, reading, text.size());
    error.reset();
    Json::sax_parse(CountingIterator(text.data(), &counter),
                    CountingIterator(text.data() + text.size(), &counter), &recorder);
    if (error && !error->over_limit && counter.last_was_nul) {
        error = nul_byte_error(text, counter.taken - 1);
    } else if (const std::size_t nul = text.find('\0'); !error && nul != std::string_view::npos) {
        error = nul_byte_error(text, nul);
    }
    if (error) {
        out.value = nullptr;
        out.lines.clear();
    }
    return out;
}

PositionedJson parse_positioned(std::string_view text, std::optional<JsonSyntaxError>& error,
                                const JsonReading& reading) {
    {
        PositionedJson out;
        LineCounter counter;  // the scan counts the line breaks in place of the parser
        PositionRecorder recorder(out, counter, error, reading, text.size());
        error.reset();
        if (JsonScan(text, recorder, counter.newlines_before_last).read()) return out;
    }
    return parse_positioned_by_library(text, error, reading);
}

}  // namespace orlavex::app
