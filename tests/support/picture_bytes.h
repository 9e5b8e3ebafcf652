#pragma once
// Small picture files made in memory, for the decoder tests and the fuzzers' seed files:
// bitmaps written byte by byte in every depth and orientation, PNG through libpng's writer,
// JPEG through libjpeg's compressor. Colours are 0xAABBGGRR like Picture's pixels.

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace fluffo::test {

inline void put_u16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

inline void put_u32(std::vector<uint8_t>& out, uint32_t v) {
    put_u16(out, v & 0xFFFF);
    put_u16(out, v >> 16);
}

inline void put_u32_at(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (size_t i = 0; i < 4; ++i)
        out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A Windows bitmap (40-byte header) of the given depth. Depths up to 8 get a colour table of
// the distinct colours in order of appearance; 16 bits is 5-5-5 (or 5-6-5 with bit fields);
// 32 bits stores a zero fourth byte. pixels are row-major, top row first.
struct BmpRecipe {
    int width = 0;
    int height = 0;
    int bits = 24;
    bool top_down = false;
    bool bit_fields_565 = false;  // 16 bits only
    std::vector<uint32_t> pixels;
};

inline std::vector<uint8_t> make_bmp(const BmpRecipe& recipe) {
    std::vector<uint32_t> table;
    std::map<uint32_t, uint32_t> index_of;
    if (recipe.bits <= 8) {
        for (uint32_t p : recipe.pixels) {
            const uint32_t rgb = p & 0xFFFFFF;
            if (index_of.emplace(rgb, static_cast<uint32_t>(table.size())).second) {
                table.push_back(rgb);
            }
        }
        if (table.size() > (1u << recipe.bits)) throw std::invalid_argument("too many colours");
    }
    const uint32_t info_size = 40;
    const uint32_t masks_size = recipe.bit_fields_565 ? 12 : 0;
    const uint32_t offset = 14 + info_size + masks_size + static_cast<uint32_t>(table.size()) * 4;
    const uint32_t row_bytes = (static_cast<uint32_t>(recipe.width * recipe.bits) + 31) / 32 * 4;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put_u32(out, offset + row_bytes * static_cast<uint32_t>(recipe.height));
    put_u32(out, 0);
    put_u32(out, offset);
    put_u32(out, info_size);
    put_u32(out, static_cast<uint32_t>(recipe.width));
    put_u32(out, static_cast<uint32_t>(recipe.top_down ? -recipe.height : recipe.height));
    put_u16(out, 1);
    put_u16(out, static_cast<uint32_t>(recipe.bits));
    put_u32(out, recipe.bit_fields_565 ? 3 : 0);
    put_u32(out, row_bytes * static_cast<uint32_t>(recipe.height));
    put_u32(out, 2835);
    put_u32(out, 2835);
    put_u32(out, static_cast<uint32_t>(table.size()));
    put_u32(out, 0);
    if (recipe.bit_fields_565) {
        put_u32(out, 0xF800);
        put_u32(out, 0x07E0);
        put_u32(out, 0x001F);
    }
    for (uint32_t c : table) {
        out.push_back(static_cast<uint8_t>(c >> 16));  // blue, green, red, zero
        out.push_back(static_cast<uint8_t>(c >> 8));
        out.push_back(static_cast<uint8_t>(c));
        out.push_back(0);
    }
    for (int i = 0; i < recipe.height; ++i) {
        const int y = recipe.top_down ? i : recipe.height - 1 - i;
        std::vector<uint8_t> row(row_bytes, 0);
        for (int x = 0; x < recipe.width; ++x) {
            const uint32_t p = recipe.pixels[static_cast<size_t>(y * recipe.width + x)];
            const uint32_t r = p & 0xFF, g = (p >> 8) & 0xFF, b = (p >> 16) & 0xFF;
            const auto ux = static_cast<size_t>(x);
            switch (recipe.bits) {
                case 1:
                    row[ux / 8] |= static_cast<uint8_t>(index_of[p & 0xFFFFFF] << (7 - ux % 8));
                    break;
                case 4:
                    row[ux / 2] |=
                        static_cast<uint8_t>(index_of[p & 0xFFFFFF] << (ux % 2 == 0 ? 4 : 0));
                    break;
                case 8:
                    row[ux] = static_cast<uint8_t>(index_of[p & 0xFFFFFF]);
                    break;
                case 16: {
                    const uint32_t v = recipe.bit_fields_565
                                           ? (r >> 3) << 11 | (g >> 2) << 5 | b >> 3
                                           : (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
                    row[2 * ux] = static_cast<uint8_t>(v);
                    row[2 * ux + 1] = static_cast<uint8_t>(v >> 8);
                    break;
                }
                case 24:
                case 32: {
                    const size_t at = ux * static_cast<size_t>(recipe.bits / 8);
                    row[at] = static_cast<uint8_t>(b);
                    row[at + 1] = static_cast<uint8_t>(g);
                    row[at + 2] = static_cast<uint8_t>(r);
                    break;
                }
                default:
                    throw std::invalid_argument("bitmap depth");
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

// A PNG from raw rows in the file's own layout (bit depth and colour type as libpng names
// them), with an optional palette (0x00BBGGRR) and tRNS chunk.
struct PngRecipe {
    int width = 0;
    int height = 0;
    int bit_depth = 8;
    int color_type = PNG_COLOR_TYPE_RGBA;
    bool interlaced = false;
    std::vector<std::vector<uint8_t>> rows;
    std::vector<uint32_t> palette;
    std::vector<uint8_t> palette_alpha;  // tRNS for a palette picture
    std::vector<uint16_t> key_colour;    // tRNS for grey (1 value) or RGB (3 values)
};

inline std::vector<uint8_t> make_png(const PngRecipe& recipe) {
    std::vector<uint8_t> out;
    // A test that asks for an impossible picture stops here instead of jumping over C++
    // objects with libpng's longjmp.
    png_structp png = png_create_write_struct(
        PNG_LIBPNG_VER_STRING, nullptr,
        [](png_structp, png_const_charp message) {
            std::fprintf(stderr, "make_png: %s\n", message);
            std::abort();
        },
        nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, size_t length) {
            auto* bytes = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
            bytes->insert(bytes->end(), data, data + length);
        },
        nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(recipe.width),
                 static_cast<png_uint_32>(recipe.height), recipe.bit_depth, recipe.color_type,
                 recipe.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (uint32_t c : recipe.palette) {
        palette.push_back(png_color{static_cast<png_byte>(c), static_cast<png_byte>(c >> 8),
                                    static_cast<png_byte>(c >> 16)});
    }
    if (!palette.empty()) {
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    }
    if (!recipe.palette_alpha.empty()) {
        png_set_tRNS(png, info, recipe.palette_alpha.data(),
                     static_cast<int>(recipe.palette_alpha.size()), nullptr);
    }
    if (!recipe.key_colour.empty()) {
        png_color_16 key{};
        if (recipe.key_colour.size() == 1) {
            key.gray = recipe.key_colour[0];
        } else {
            key.red = recipe.key_colour[0];
            key.green = recipe.key_colour[1];
            key.blue = recipe.key_colour[2];
        }
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
    png_write_info(png, info);
    std::vector<png_bytep> row_pointers;
    for (const auto& row : recipe.rows)
        row_pointers.push_back(const_cast<png_bytep>(row.data()));
    png_write_image(png, row_pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// An 8-bit RGBA PNG of the given pixels (0xAABBGGRR, top row first).
inline std::vector<uint8_t> make_rgba_png(int width, int height,
                                          const std::vector<uint32_t>& pixels) {
    PngRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    for (int y = 0; y < height; ++y) {
        std::vector<uint8_t> row;
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y * width + x)];
            for (int shift = 0; shift < 32; shift += 8)
                row.push_back(static_cast<uint8_t>(p >> shift));
        }
        recipe.rows.push_back(std::move(row));
    }
    return make_png(recipe);
}

// A JPEG of the given pixels (alpha ignored), colour or grey, baseline or progressive.
struct JpegRecipe {
    int width = 0;
    int height = 0;
    bool grey = false;
    bool progressive = false;
    int quality = 100;
    std::vector<uint32_t> pixels;
};

inline std::vector<uint8_t> make_jpeg(const JpegRecipe& recipe) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);  // valid input: the default handler never fires
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(recipe.width);
    cinfo.image_height = static_cast<JDIMENSION>(recipe.height);
    cinfo.input_components = recipe.grey ? 1 : 3;
    cinfo.in_color_space = recipe.grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, recipe.quality, TRUE);
    if (recipe.progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row;
    for (int y = 0; y < recipe.height; ++y) {
        row.clear();
        for (int x = 0; x < recipe.width; ++x) {
            const uint32_t p = recipe.pixels[static_cast<size_t>(y * recipe.width + x)];
            if (recipe.grey) {
                row.push_back(static_cast<uint8_t>(p));
            } else {
                row.push_back(static_cast<uint8_t>(p));
                row.push_back(static_cast<uint8_t>(p >> 8));
                row.push_back(static_cast<uint8_t>(p >> 16));
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

// A CMYK JPEG from raw samples, four bytes a pixel, written as Adobe does (the library adds
// its marker): 255 is no ink.
inline std::vector<uint8_t> make_cmyk_jpeg(int width, int height,
                                           const std::vector<uint8_t>& samples) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    for (int y = 0; y < height; ++y) {
        JSAMPROW row[1] = {const_cast<JSAMPLE*>(samples.data() + y * width * 4)};
        jpeg_write_scanlines(&cinfo, row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

}  // namespace fluffo::test
