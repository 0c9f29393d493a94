#include "output_files.h"

#include <fstream>
#include <sstream>
#include <utility>

namespace orlavex::cli::test {

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string xml_unescaped(std::string text) {
    // &amp; last, so that an escaped entity ("&amp;lt;") stays as it was written.
    for (const auto& [entity, plain] : {std::pair<std::string, std::string>{"&lt;", "<"},
                                        {"&gt;", ">"},
                                        {"&quot;", "\""},
                                        {"&amp;", "&"}}) {
        for (std::size_t at = text.find(entity); at != std::string::npos;
             at = text.find(entity, at + plain.size()))
            text.replace(at, entity.size(), plain);
    }
    return text;
}

std::string svg_metadata(const std::string& svg, const std::string& id) {
    const std::string open = "<metadata id=\"" + id + "\">";
    const std::size_t start = svg.find(open);
    if (start == std::string::npos) return {};
    const std::size_t end = svg.find("</metadata>", start);
    return xml_unescaped(svg.substr(start + open.size(), end - start - open.size()));
}

}  // namespace orlavex::cli::test
