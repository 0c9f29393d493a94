// orlavex-plot: draws a sweep's charts into a PNG or SVG file. orlavex-cli
// runs it for --plot and writes the sweep to its standard input in the
// binary form of chart_data_binary.h (JSON is read as well), so that the
// command-line calculator itself never loads Qt.
//
//   orlavex-plot FILE.png|FILE.svg [WIDTHxHEIGHT] < sweep.bin|sweep.json
//   orlavex-plot --report FILE.html|FILE.pdf [a4|letter] < report.json

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include <QApplication>

#include "charts/chart_data_binary.h"
#include "charts/chart_data_json.h"
#include "charts/chart_files.h"
#include "plot/report_mode.h"

namespace {

constexpr int bad_usage = 2;
constexpr int cannot_write = 1;

bool parse_size(const std::string& text, QSize& size) {
    int width = 0, height = 0;
    char separator = 0;
    if (std::sscanf(text.c_str(), "%d%c%d", &width, &separator, &height) != 3 || separator != 'x')
        return false;
    if (width < 200 || height < 200 || width > 10000 || height > 10000) return false;
    size = QSize(width, height);
    return true;
}

// All of standard input, read in blocks (a character at a time through
// istreambuf_iterator costs more than parsing the JSON).
std::string standard_input() {
    std::string text;
    char block[1 << 16];
    std::size_t read = 0;
    while ((read = std::fread(block, 1, sizeof block, stdin)) > 0)
        text.append(block, read);
    return text;
}

// The platform plugin's notes (no XDG_RUNTIME_DIR, no display) are not the
// user's concern here; real failures arrive as ChartFileError.
void quiet_messages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "orlavex-plot: " << message.toStdString() << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    using namespace orlavex::charts;
    if (argc >= 2 && std::string(argv[1]) == "--report") {
        if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        qInstallMessageHandler(quiet_messages);
        return orlavex::report::run_report_mode(argc, argv, standard_input());
    }
    if (argc < 2 || argc > 3) {
        std::cerr
            << "usage: orlavex-plot FILE.png|FILE.svg [WIDTHxHEIGHT] < sweep.bin|sweep.json\n";
        return bad_usage;
    }
    const std::string path = argv[1];
    if (!image_format_of(path)) {
        std::cerr << "orlavex-plot: the plot file must end in .png or .svg: " << path << "\n";
        return bad_usage;
    }
    QSize size = default_image_size;
    if (argc == 3 && !parse_size(argv[2], size)) {
        std::cerr << "orlavex-plot: expected a size such as 1000x720, got " << argv[2] << "\n";
        return bad_usage;
    }

    SweepChartData data;
    try {
        const std::string input = standard_input();
        data = is_binary_chart_data(input) ? from_binary(input) : from_json_text(input);
    } catch (const ChartDataError& e) {
        std::cerr << "orlavex-plot: " << e.what() << "\n";
        return bad_usage;
    }

    // No display needed: the charts are drawn into an image or SVG file.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(quiet_messages);
    QApplication application(argc, argv);
    try {
        write_sweep_charts(data, QString::fromStdString(path), size);
    } catch (const ChartFileError& e) {
        std::cerr << "orlavex-plot: " << e.what() << "\n";
        return cannot_write;
    }
    return 0;
}
