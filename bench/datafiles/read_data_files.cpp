// Reads data files N times, for counting the readers' instructions per byte:
//
//   orlavex_read_data_files --write DIR        writes DIR/large.enr and
//                                              DIR/large-{db,ma,ri}.s2p, DIR/cable.s2p
//   valgrind --tool=callgrind orlavex_read_data_files N FILE...
//
// The instructions of N = 1 less those of N = 0 (the program's start and the
// files' writing excluded), over the files' bytes.
#include "datafiles/enr_table.h"
#include "datafiles/touchstone.h"

#include "large_data_files.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

namespace {

constexpr std::size_t file_bytes = 1024 * 1024;

int write_files(const std::filesystem::path& dir) {
    std::ofstream(dir / "large.enr", std::ios::binary)
        << orlavex::bench::large_enr_text(file_bytes);
    for (const auto& [name, format] :
         {std::pair{"large-db.s2p", "DB"}, {"large-ma.s2p", "MA"}, {"large-ri.s2p", "RI"}}) {
        std::ofstream(dir / name, std::ios::binary)
            << orlavex::bench::large_s2p_text(file_bytes, format);
    }
    // A loss, for orlavex-cli point --loss-in-s2p.
    std::ofstream(dir / "cable.s2p", std::ios::binary)
        << orlavex::bench::large_s2p_text(file_bytes, "RI", -1.5);
    return 0;
}

std::size_t read_file(const std::filesystem::path& file) {
    using namespace orlavex::datafiles;
    if (file.extension() == ".enr") return read_enr_file(file).records().size();
    return read_touchstone(file).records().size();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--write") return write_files(argv[2]);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s N FILE... | --write DIR\n", argv[0]);
        return 2;
    }
    const int times = std::atoi(argv[1]);
    std::size_t records = 0;
    for (int i = 0; i < times; ++i) {
        for (int f = 2; f < argc; ++f)
            records += read_file(argv[f]);
    }
    std::printf("%zu records\n", records);
    return 0;
}
