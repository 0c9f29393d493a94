// The set-up's choices beside its fields, by the names a set-up file and
// the JSON output give them: the catalogue models and the check boxes.
#pragma once

#include "app/inputs/setup.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace orlavex::app {

struct ModelChoice {
    std::string_view key;  // "analyzer"
    std::optional<std::string> Setup::*name;
};

struct BoxChoice {
    std::string_view key;  // "int_preamp"
    bool Setup::*ticked;
    bool start;  // as the window opens
};

inline constexpr std::array model_choices{
    ModelChoice{"analyzer", &Setup::analyzer},
    ModelChoice{"noise_source", &Setup::noise_source},
};

inline constexpr std::array box_choices{
    BoxChoice{"int_preamp", &Setup::int_preamp, false},
    BoxChoice{"ext_preamp", &Setup::ext_preamp, false},
    BoxChoice{"freq_conv", &Setup::freq_conv, false},
    BoxChoice{"second_stage", &Setup::second_stage, true},
    BoxChoice{"manual", &Setup::manual, false},
};

// Which of the two preamplifiers of a model with two: 0 or 1.
inline constexpr std::string_view int_preamp_option_key = "int_preamp_option";

}  // namespace orlavex::app
