// Reading a set-up file's values: each one checked for its type and range,
// and a refusal naming the file, the line and the key as a JSON pointer.
#pragma once

#include "app/setup_file/json_positions.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace orlavex::app {

class SetupFileValues {
  public:
    SetupFileValues(std::string_view file_name, const PositionedJson& document)
        : file_name_(file_name), document_(document) {}

    // Throws SetupFileError: "FILE:LINE: POINTER: MESSAGE".
    [[noreturn]] void refuse(const std::string& pointer, const std::string& message) const;

    void expect_object(const Json& value, const std::string& pointer) const;
    double number(const Json& value, const std::string& pointer) const;
    bool boolean(const Json& value, const std::string& pointer) const;
    std::string text(const Json& value, const std::string& pointer) const;
    // A whole number from LOWEST to HIGHEST.
    std::uint64_t whole_number(const Json& value, const std::string& pointer, std::uint64_t lowest,
                               std::uint64_t highest) const;
    // One of CHOICES ("vswr|rl").
    std::string choice(const Json& value, const std::string& pointer,
                       std::string_view choices) const;

    // Calls READ for every member of the object at POINTER; READ returns
    // false for a key it does not know, which is refused.
    using MemberReader =
        std::function<bool(const std::string& key, const Json& value, const std::string& pointer)>;
    void members(const Json& object, const std::string& pointer, const MemberReader& read) const;

    const std::string& file_name() const { return file_name_; }

  private:
    [[noreturn]] void wrong_type(const Json& value, const std::string& pointer,
                                 std::string_view expected) const;

    std::string file_name_;
    const PositionedJson& document_;
};

}  // namespace orlavex::app
