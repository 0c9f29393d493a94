#include "app/commands.h"

namespace orlavex::app {

std::string command_list() {
    std::string list;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (i > 0) list += i + 1 == commands.size() ? " or " : ", ";
        list += commands[i].name;
    }
    return list;
}

}  // namespace orlavex::app
