// Reading back what the command line wrote: a whole file, and the texts an
// SVG or an HTML page holds escaped.
#pragma once

#include <filesystem>
#include <string>

namespace orlavex::cli::test {

std::string read_file(const std::filesystem::path& path);

// TEXT with the entities &lt; &gt; &quot; and &amp; undone.
std::string xml_unescaped(std::string text);

// The content of SVG's <metadata id="ID"> element, unescaped; empty when
// there is none.
std::string svg_metadata(const std::string& svg, const std::string& id);

}  // namespace orlavex::cli::test
