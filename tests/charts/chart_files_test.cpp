// The chart files: a PNG that reads back as exactly the picture drawn, at
// the screen's resolution, and an SVG of a long sweep of modest size; both
// carry the set-up that produced them.
#include "charts/chart_files.h"

#include <QDateTime>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

namespace orlavex::charts {
namespace {

SweepChartData long_sweep(int count) {
    SweepChartData data;
    data.title = "long";
    data.x_label = "Frequency";
    data.x_unit = "GHz";
    for (int i = 0; i < count; ++i) {
        ChartPoint p;
        p.x = 1 + 17.0 * i / (count - 1);
        const double wave = std::sin(i / 40.0);
        p.expanded_db = 0.3 + 0.1 * wave;
        p.rss_db = 0.25 + 0.08 * wave;
        p.mc_lo_db = -0.28 - 0.1 * wave;
        p.mc_hi_db = 0.31 + 0.1 * wave;
        p.margin_db = {1 + 2.5 * wave, 5 + 2.5 * wave, 3 + wave};
        for (std::size_t g = 0; g < 3; ++g)
            p.lamp[g] = wave > 0 ? Lamp::green : wave > -0.4 ? Lamp::yellow : Lamp::red;
        p.held = i > count - 20;
        data.points.push_back(p);
    }
    return data;
}

TEST(PngChartFile, ReadsBackAsExactlyThePictureDrawn) {
    const SweepChartData data = long_sweep(101);
    const QSize size(800, 600);
    QImage expected(size, QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        paint_sweep_charts(painter, QRectF(QPointF(0, 0), QSizeF(size)), data);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.png"));
    write_sweep_charts(data, path, size);
    const QImage read(path, "PNG");
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read.size(), size);
    EXPECT_EQ(read.dotsPerMeterX(), 3780);  // 96 dots per inch
    EXPECT_EQ(read.dotsPerMeterY(), 3780);
    EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), expected);
}

TEST(PngChartFile, RefusesAFileItCannotWrite) {
    QTemporaryDir dir;
    EXPECT_THROW(write_sweep_charts(long_sweep(5), dir.filePath(QStringLiteral("no/such.png"))),
                 ChartFileError);
}

TEST(SvgChartFile, KeepsA1001PointSweepUnderAMegabyte) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.svg"));
    write_sweep_charts(long_sweep(1001), path);
    EXPECT_LT(QFile(path).size(), 1'000'000);
    EXPECT_GT(QFile(path).size(), 100'000);  // curves and marks, not an empty page
}

// Set-up text with what an SVG must escape and what PNG's Latin-1 text
// chunks cannot hold.
constexpr const char* awkward_setup =
    R"({"inputs":{"analyzer":"Aravel-3","dut_nf_db":2.5},"enr_table":"réf <1> & 'b'.enr",)"
    R"("note":"10 µs"})";

using TextChunks = std::map<std::string, std::string>;

// libpng longjmps here on a read error: nothing with a destructor in between.
bool read_png_texts(png_structp png, png_infop info, std::FILE* file, png_textp* texts,
                    int* count) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_read_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);  // text before and after IDAT
    png_get_text(png, info, texts, count);
    return true;
}

// Every text chunk of the PNG file PATH (tEXt, zTXt and iTXt), key to text.
TextChunks png_text_chunks(const QString& path) {
    TextChunks chunks;
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (file == nullptr) return chunks;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_textp texts = nullptr;
    int count = 0;
    if (read_png_texts(png, info, file, &texts, &count)) {
        for (int i = 0; i < count; ++i)
            chunks[texts[i].key] =
                std::string(texts[i].text,
                            texts[i].itxt_length > 0 ? texts[i].itxt_length : texts[i].text_length);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return chunks;
}

TEST(ChartFileMetadata, PngCarriesTheProgramTimeSummaryAndSetUp) {
    SweepChartData data = long_sweep(11);
    data.title = "LNA at the bench";
    data.x_label = "Frequency (GHz)";
    data.x_unit.clear();
    data.setup = awkward_setup;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.png"));
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    write_sweep_charts(data, path, QSize(400, 300));
    const QDateTime after = QDateTime::currentDateTimeUtc().addSecs(1);

    const TextChunks chunks = png_text_chunks(path);
    EXPECT_EQ(chunks.at("orlavex:setup"), awkward_setup);
    EXPECT_EQ(chunks.at("Software"), "Orlavex " ORLAVEX_VERSION);
    EXPECT_EQ(chunks.at("Description"), "LNA at the bench; Frequency (GHz) 1 to 18, 11 points");
    const QDateTime made =
        QDateTime::fromString(QString::fromStdString(chunks.at("Creation Time")), Qt::ISODate);
    ASSERT_TRUE(made.isValid()) << chunks.at("Creation Time");
    EXPECT_GE(made, before);
    EXPECT_LE(made, after);
    EXPECT_FALSE(QImage(path, "PNG").isNull());
}

TEST(ChartFileMetadata, PngWithoutAKnownSetUpHasNoSetUpChunk) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.png"));
    write_sweep_charts(long_sweep(5), path, QSize(400, 300));
    const TextChunks chunks = png_text_chunks(path);
    EXPECT_EQ(chunks.count("orlavex:setup"), 0u);
    EXPECT_EQ(chunks.count("Software"), 1u);
}

// The SVG's metadata, description and whether it parses as XML at all.
struct SvgTexts {
    QString metadata, description;
    bool well_formed = false;
};

SvgTexts svg_texts(const QString& path) {
    QFile file(path);
    SvgTexts texts;
    if (!file.open(QIODevice::ReadOnly)) return texts;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("metadata"))
            texts.metadata = xml.readElementText();
        else if (xml.name() == QLatin1String("desc"))
            texts.description = xml.readElementText();
    }
    texts.well_formed = !xml.hasError();
    return texts;
}

TEST(ChartFileMetadata, SvgCarriesTheSetUpEscapedAndTheSummary) {
    SweepChartData data = long_sweep(11);
    data.title = "LNA <at> the bench";
    data.x_label = "Frequency (GHz)";
    data.x_unit.clear();
    data.setup = awkward_setup;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.svg"));
    write_sweep_charts(data, path, QSize(400, 300));
    const SvgTexts texts = svg_texts(path);
    EXPECT_TRUE(texts.well_formed);
    EXPECT_EQ(texts.metadata.toStdString(), awkward_setup);
    EXPECT_EQ(texts.description.toStdString(),
              "LNA <at> the bench; Frequency (GHz) 1 to 18, 11 points");
}

}  // namespace
}  // namespace orlavex::charts
