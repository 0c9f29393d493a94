// The option line of a Touchstone file ("# GHz S MA R 50") and the names of
// the S-parameter formats. Internal to the readers.
#pragma once

#include "datafiles/touchstone.h"

#include <string_view>

namespace orlavex::datafiles {

struct TouchstoneOptions {
    double unit_hz = 1e9;
    SParameterFormat format = SParameterFormat::magnitude_angle;
    double reference_ohms = 50;
};

struct FormatName {
    std::string_view name;
    SParameterFormat format;
    std::string_view first_part;  // of a pair, for messages
    std::string_view second_part;
};

const FormatName& format_name(SParameterFormat format);

// Reads what follows the '#' of an option line; throws FileError naming
// FILE and LINE for anything that is not a valid option.
TouchstoneOptions read_option_line(std::string_view rest, std::string_view file, int line);

}  // namespace orlavex::datafiles
