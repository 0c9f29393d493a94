#include "plot/report_mode.h"

#include "plot/report_files.h"
#include "report/report_json.h"

#include <iostream>

#include <QApplication>

namespace orlavex::report {

namespace {

constexpr int bad_usage = 2;
constexpr int cannot_write = 1;

}  // namespace

int run_report_mode(int argc, char** argv, const std::string& input) {
    // argv: orlavex-plot --report FILE [PAPER]
    if (argc < 3 || argc > 4) {
        std::cerr << "usage: orlavex-plot --report FILE.html|FILE.pdf [a4|letter] < report.json\n";
        return bad_usage;
    }
    const std::string path = argv[2];
    if (!report_format_of(path)) {
        std::cerr << "orlavex-plot: the report file must end in .html or .pdf: " << path << "\n";
        return bad_usage;
    }
    const std::optional<Paper> paper = paper_named(argc == 4 ? argv[3] : "a4");
    if (!paper) {
        std::cerr << "orlavex-plot: the paper must be a4 or letter: " << argv[3] << "\n";
        return bad_usage;
    }
    ReportContent content;
    try {
        content = from_helper_input(input);
    } catch (const ReportDataError& e) {
        std::cerr << "orlavex-plot: " << e.what() << "\n";
        return bad_usage;
    }
    QApplication application(argc, argv);
    try {
        write_report(content, QString::fromStdString(path), *paper);
    } catch (const ReportFileError& e) {
        std::cerr << "orlavex-plot: " << e.what() << "\n";
        return cannot_write;
    }
    return 0;
}

}  // namespace orlavex::report
