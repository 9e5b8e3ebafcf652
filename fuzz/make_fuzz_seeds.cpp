// Writes the fuzzers' seed files into DIR/<name>/: a handful of tiny, valid files per format,
// made by the same helpers the decoder tests use. Usage: make_fuzz_seeds DIR
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "support/picture_bytes.h"

namespace {

namespace fs = std::filesystem;
using fluffo::test::BmpRecipe;
using fluffo::test::JpegRecipe;
using fluffo::test::PngRecipe;

void write(const fs::path& dir, const std::string& name, const std::vector<uint8_t>& bytes) {
    fs::create_directories(dir);
    std::ofstream out(dir / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::cerr << "make_fuzz_seeds: cannot write " << (dir / name).string() << "\n";
        std::exit(1);
    }
}

void write_text(const fs::path& dir, const std::string& name, const std::string& text) {
    write(dir, name, std::vector<uint8_t>(text.begin(), text.end()));
}

const std::vector<uint32_t> Six_Colours = {0x0000FF, 0x00FF00, 0xFF0000,
                                           0xFFFFFF, 0x000000, 0xFF00FF};

void bitmaps(const fs::path& dir) {
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        BmpRecipe recipe{3, 2, bits, false, false, Six_Colours};
        if (bits == 1) recipe.pixels = {0, 0xFFFFFF, 0, 0xFFFFFF, 0, 0};
        write(dir, std::to_string(bits) + "bit.bmp", fluffo::test::make_bmp(recipe));
    }
    write(dir, "16bit565.bmp", fluffo::test::make_bmp({3, 2, 16, false, true, Six_Colours}));
    write(dir, "topdown.bmp", fluffo::test::make_bmp({3, 2, 24, true, false, Six_Colours}));
}

PngRecipe png_recipe(int width, int height, int bit_depth, int color_type) {
    PngRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.bit_depth = bit_depth;
    recipe.color_type = color_type;
    return recipe;
}

void pngs(const fs::path& dir) {
    write(dir, "rgba.png",
          fluffo::test::make_rgba_png(2, 2, {0xFF0000FF, 0x8000FF00, 0x00FF0000, 0xFFFFFFFF}));
    PngRecipe palette = png_recipe(3, 1, 2, PNG_COLOR_TYPE_PALETTE);
    palette.rows = {{0b00011011}};
    palette.palette = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF};
    palette.palette_alpha = {0, 128};
    write(dir, "palette.png", fluffo::test::make_png(palette));
    PngRecipe grey = png_recipe(2, 1, 16, PNG_COLOR_TYPE_GRAY);
    grey.rows = {{0x12, 0x34, 0xFF, 0xFF}};
    write(dir, "grey16.png", fluffo::test::make_png(grey));
    PngRecipe interlaced = png_recipe(3, 3, 8, PNG_COLOR_TYPE_RGB);
    interlaced.interlaced = true;
    for (int y = 0; y < 3; ++y)
        interlaced.rows.push_back(std::vector<uint8_t>(9, 0x40));
    interlaced.key_colour = {0x40, 0x40, 0x40};
    write(dir, "interlaced.png", fluffo::test::make_png(interlaced));
}

void jpegs(const fs::path& dir) {
    std::vector<uint32_t> gradient;
    for (int i = 0; i < 16 * 8; ++i)
        gradient.push_back(static_cast<uint32_t>(i * 0x020301));
    write(dir, "colour.jpg", fluffo::test::make_jpeg({16, 8, false, false, 50, gradient}));
    write(dir, "grey.jpg", fluffo::test::make_jpeg({16, 8, true, false, 50, gradient}));
    write(dir, "progressive.jpg", fluffo::test::make_jpeg({16, 8, false, true, 50, gradient}));
}

void inis(const fs::path& dir) {
    write_text(dir, "skin.ini",
               "[Common]\r\nSkinDir=Graphics\\Skin\\\r\nGameWidth=440\r\n"
               "[Image7]\r\nFilename=egg.png\r\nLeft=0x1F\r\nTop=$1F\r\nWidth=-12\r\n");
    write_text(
        dir, "quotes.ini",
        "; comment\n[s]\nk = \"  quoted  \"\n[S]\nk=second\n[Fullscreen]\nBgColor=$00ff00ff\n");
    write_text(dir, "odd.ini", "[ s ]\nK=\nk=dup\n=x\nnoequals\n[Image7\nLeft=  +12\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_fuzz_seeds DIR\n";
        return 2;
    }
    const fs::path root(argv[1]);
    bitmaps(root / "bmp");
    pngs(root / "png");
    jpegs(root / "jpeg");
    inis(root / "ini");
    return 0;
}
