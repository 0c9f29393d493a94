#include "charts/png_file.h"

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

#include <png.h>
#include <QFile>
#include <QSysInfo>

namespace orlavex::charts {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// libpng reports errors by longjmp to the setjmp in write_rows: no C++
// object with a destructor may live between the two.
bool write_rows(png_structp png, png_infop info, std::FILE* file, const QImage& rgb32,
                std::vector<png_text>& text) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    if (!text.empty()) png_set_text(png, info, text.data(), static_cast<int>(text.size()));
    png_set_IHDR(png, info, static_cast<png_uint_32>(rgb32.width()),
                 static_cast<png_uint_32>(rgb32.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, static_cast<png_uint_32>(rgb32.dotsPerMeterX()),
                 static_cast<png_uint_32>(rgb32.dotsPerMeterY()), PNG_RESOLUTION_METER);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, 1);
    png_write_info(png, info);
    // QImage::Format_RGB32 holds 0xffRRGGBB per pixel: the bytes B, G, R,
    // 0xff on a little-endian machine, 0xff, R, G, B on a big-endian one.
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        png_set_filler(png, 0, PNG_FILLER_AFTER);
        png_set_bgr(png);
    } else {
        png_set_filler(png, 0, PNG_FILLER_BEFORE);
    }
    for (int y = 0; y < rgb32.height(); ++y)
        png_write_row(png, rgb32.constScanLine(y));
    png_write_end(png, info);
    return true;
}

// The fields as international text chunks (UTF-8), uncompressed so that
// any reader shows them. They point into METADATA, which must outlive them.
std::vector<png_text> text_chunks(const ChartMetadata& metadata) {
    std::vector<png_text> chunks;
    for (const auto& [key, text] : metadata) {
        png_text chunk{};
        chunk.compression = PNG_ITXT_COMPRESSION_NONE;
        chunk.key = const_cast<char*>(key.c_str());
        chunk.text = const_cast<char*>(text.c_str());
        chunk.itxt_length = text.size();
        chunk.lang = const_cast<char*>("");
        chunk.lang_key = const_cast<char*>("");
        chunks.push_back(chunk);
    }
    return chunks;
}

}  // namespace

bool write_png(const QImage& image, const QString& path, const ChartMetadata& metadata) {
    const QImage rgb32 = image.convertToFormat(QImage::Format_RGB32);
    const std::unique_ptr<std::FILE, FileCloser> file(
        std::fopen(QFile::encodeName(path).constData(), "wb"));
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<png_text> text = text_chunks(metadata);
    const bool written = info != nullptr && write_rows(png, info, file.get(), rgb32, text);
    png_destroy_write_struct(&png, &info);
    return written && std::fflush(file.get()) == 0 && !std::ferror(file.get());
}

}  // namespace orlavex::charts
