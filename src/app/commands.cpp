#include "app/commands.h"

#include <algorithm>

namespace orlavex::app {

const Command& command_named(std::string_view name) {
    return *std::ranges::find(commands, name, &Command::name);
}

std::string command_list() {
    std::string list;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (i > 0) list += i + 1 == commands.size() ? " or " : ", ";
        list += commands[i].name;
    }
    return list;
}

}  // namespace orlavex::app
