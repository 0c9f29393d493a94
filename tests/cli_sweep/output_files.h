// Reading back what the command line wrote: a whole file, and the texts an
// SVG or an HTML page holds escaped.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace orlavex::cli::test {

std::string read_file(const std::filesystem::path& path);

// TEXT with the entities &lt; &gt; &quot; and &amp; undone.
std::string xml_unescaped(std::string text);

// The content of SVG's <metadata id="ID"> element, unescaped; empty when
// there is none.
std::string svg_metadata(const std::string& svg, const std::string& id);

// The first table of the section ID as the page shows it: its header, and
// per row the cells and whether the row is marked.
struct HtmlTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
    std::vector<bool> marked;
};

// The HTML of the report's <section id="ID">; empty when there is none.
std::string section_html(const std::string& html, const std::string& id);

HtmlTable first_table(const std::string& section);

}  // namespace orlavex::cli::test
