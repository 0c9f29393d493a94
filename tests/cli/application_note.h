// The shipped application note as the doc tests read it: its text, the
// words of a command it shows, and a number as it is written there.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace orlavex::cli::test {

inline std::string application_note() {
    std::ifstream in(ORLAVEX_DOC_DIR "/y-factor-application-note.html");
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline std::vector<std::string> command_words(const std::string& command) {
    std::istringstream in(command);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

// The note writes minus signs as HTML entities.
inline std::string unescaped(std::string text) {
    for (std::size_t at; (at = text.find("&minus;")) != std::string::npos;)
        text.replace(at, 7, "-");
    return text;
}

}  // namespace orlavex::cli::test
