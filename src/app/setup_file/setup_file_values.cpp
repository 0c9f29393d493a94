#include "app/setup_file/setup_file_values.h"

#include "app/setup_file/setup_file.h"
#include "app/texts.h"

namespace orlavex::app {

namespace {

// "a string", "an object", "null": how a message names a JSON value's type.
std::string type_phrase(const Json& value) {
    if (value.is_null()) return "null";
    if (value.is_boolean()) return "a boolean";
    if (value.is_number()) return "a number";
    if (value.is_string()) return "a string";
    if (value.is_array()) return "an array";
    return "an object";
}

}  // namespace

void SetupFileValues::refuse(const std::string& pointer, const std::string& message) const {
    const std::string where = pointer.empty() ? "" : pointer + ": ";
    // A key may hold a line break: the message stays on one line.
    std::string line;
    for (char c : where + message) {
        if (static_cast<unsigned char>(c) < 0x20) {
            constexpr std::string_view hex = "0123456789abcdef";
            line += "\\x";
            line += hex[static_cast<unsigned char>(c) >> 4];
            line += hex[c & 0x0f];
        } else {
            line += c;
        }
    }
    throw SetupFileError(file_name_ + ":" + std::to_string(document_.line_of(pointer)) + ": " +
                         line);
}

void SetupFileValues::wrong_type(const Json& value, const std::string& pointer,
                                 std::string_view expected) const {
    refuse(pointer, "expected " + std::string(expected) + ", got " + type_phrase(value));
}

void SetupFileValues::expect_object(const Json& value, const std::string& pointer) const {
    if (!value.is_object()) wrong_type(value, pointer, "an object");
}

double SetupFileValues::number(const Json& value, const std::string& pointer) const {
    if (!value.is_number()) wrong_type(value, pointer, "a number");
    return value.get<double>();
}

bool SetupFileValues::boolean(const Json& value, const std::string& pointer) const {
    if (!value.is_boolean()) wrong_type(value, pointer, "true or false");
    return value.get<bool>();
}

std::string SetupFileValues::text(const Json& value, const std::string& pointer) const {
    if (!value.is_string()) wrong_type(value, pointer, "a string");
    return value.get<std::string>();
}

std::uint64_t SetupFileValues::whole_number(const Json& value, const std::string& pointer,
                                            std::uint64_t lowest, std::uint64_t highest) const {
    const std::string range = std::to_string(lowest) + " to " + std::to_string(highest);
    if (!value.is_number()) wrong_type(value, pointer, "a whole number");
    if (!value.is_number_unsigned()) {
        refuse(pointer, "expected a whole number from " + range + ", got " + value.dump());
    }
    const std::uint64_t x = value.get<std::uint64_t>();
    if (x < lowest || x > highest) refuse(pointer, value.dump() + " is out of range " + range);
    return x;
}

std::string SetupFileValues::choice(const Json& value, const std::string& pointer,
                                    std::string_view choices) const {
    const std::string given = text(value, pointer);
    std::string_view rest = choices;
    while (!rest.empty()) {
        const std::size_t bar = rest.find('|');
        if (rest.substr(0, bar) == given) return given;
        rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
    }
    refuse(pointer, app::quoted(given) + " is not one of " + std::string(choices));
}

void SetupFileValues::members(const Json& object, const std::string& pointer,
                              const MemberReader& read) const {
    expect_object(object, pointer);
    for (const auto& [key, value] : object.items()) {
        const std::string member = member_pointer(pointer, key);
        if (!read(key, value, member)) refuse(member, "unknown key");
    }
}

}  // namespace orlavex::app
