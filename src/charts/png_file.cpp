#include "charts/png_file.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <png.h>
#include <QSysInfo>

namespace orlavex::charts {

namespace {

// Texts longer than this are deflated; shorter ones would only grow.
constexpr std::size_t compressed_from = 1024;

// Plain ASCII goes into a tEXt chunk, which every reader shows; anything
// else into an international (UTF-8) iTXt chunk.
png_text chunk_of(const PngText& text) {
    png_text chunk{};
    chunk.key = const_cast<char*>(text.key.c_str());
    chunk.text = const_cast<char*>(text.text.c_str());
    const bool ascii =
        std::ranges::all_of(text.text, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    const bool large = text.text.size() >= compressed_from;
    if (ascii && !large) {
        chunk.compression = PNG_TEXT_COMPRESSION_NONE;
        chunk.text_length = text.text.size();
    } else {
        chunk.compression = large ? PNG_ITXT_COMPRESSION_zTXt : PNG_ITXT_COMPRESSION_NONE;
        chunk.itxt_length = text.text.size();
        chunk.lang = const_cast<char*>("");
        chunk.lang_key = const_cast<char*>("");
    }
    return chunk;
}

// libpng reports errors by longjmp to the setjmp in write_rows: no C++
// object with a destructor may live between the two.
bool write_rows(png_structp png, png_infop info, std::FILE* file, const QImage& rgb32,
                const std::vector<png_text>& texts) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(rgb32.width()),
                 static_cast<png_uint_32>(rgb32.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, static_cast<png_uint_32>(rgb32.dotsPerMeterX()),
                 static_cast<png_uint_32>(rgb32.dotsPerMeterY()), PNG_RESOLUTION_METER);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, 1);
    if (!texts.empty()) png_set_text(png, info, texts.data(), static_cast<int>(texts.size()));
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

}  // namespace

std::optional<std::string> png_bytes(const QImage& image, const std::vector<PngText>& texts) {
    const QImage rgb32 = image.convertToFormat(QImage::Format_RGB32);
    std::vector<png_text> chunks;
    for (const PngText& text : texts)
        chunks.push_back(chunk_of(text));
    char* data = nullptr;
    std::size_t size = 0;
    std::FILE* const stream = ::open_memstream(&data, &size);
    if (stream == nullptr) return std::nullopt;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const bool written = info != nullptr && write_rows(png, info, stream, rgb32, chunks);
    png_destroy_write_struct(&png, &info);
    const bool closed = std::fclose(stream) == 0;
    // The stream's buffer is the caller's once the stream is closed.
    const std::unique_ptr<char, decltype(&std::free)> held(data, &std::free);
    if (!written || !closed) return std::nullopt;
    return std::string(data, size);
}

}  // namespace orlavex::charts
