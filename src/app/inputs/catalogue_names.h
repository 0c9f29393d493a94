// Catalogue model names as users write them: any letter case, "User" (or
// "User Defined") for the user's own values.
#pragma once

#include <string_view>

namespace orlavex::app {

bool same_name(std::string_view a, std::string_view b);
bool is_user(std::string_view name);

// The catalogue's spelling of NAME (letter case aside), or empty.
std::string_view analyzer_in_catalogue(std::string_view name);
std::string_view noise_source_in_catalogue(std::string_view name);

}  // namespace orlavex::app
