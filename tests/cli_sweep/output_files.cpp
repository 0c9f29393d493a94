// GCC 12 with the sanitizers reports the moves inside libstdc++'s <regex>
// automaton as "may be used uninitialized" (a false positive in its inlined
// std::function); the pragma keeps it out of this file's build.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include "output_files.h"

#include <fstream>
#include <regex>
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

std::string section_html(const std::string& html, const std::string& id) {
    const std::size_t start = html.find("<section id=\"" + id + "\"");
    if (start == std::string::npos) return {};
    return html.substr(start, html.find("</section>", start) - start);
}

HtmlTable first_table(const std::string& section) {
    HtmlTable table;
    const std::regex row_pattern("<tr([^>]*)>(.*?)</tr>");
    const std::regex cell_pattern("<t([hd])[^>]*>(.*?)</t[hd]>");
    for (auto row = std::sregex_iterator(section.begin(), section.end(), row_pattern);
         row != std::sregex_iterator(); ++row) {
        const std::string body = (*row)[2];
        std::vector<std::string> cells;
        bool header = false;
        for (auto cell = std::sregex_iterator(body.begin(), body.end(), cell_pattern);
             cell != std::sregex_iterator(); ++cell) {
            header = (*cell)[1] == "h";
            cells.push_back(xml_unescaped((*cell)[2]));
        }
        if (header && !table.header.empty()) break;  // the next table
        if (header) {
            table.header = cells;
        } else {
            table.rows.push_back(cells);
            table.marked.push_back((*row)[1].str().find("marked") != std::string::npos);
        }
    }
    return table;
}

}  // namespace orlavex::cli::test
