// The web page's PNG and JPEG readers and PNG writer: the browser decodes those pictures itself
// (createImageBitmap) and the page's picture files hand their pixels over already decoded, so
// bytes of either format that reach a decoder here are refused by name; BMP and ICO are read
// by the program's own readers as everywhere. The page writes no picture files.

#include "display/picture_decoders.h"
#include "display/png_writer.h"

namespace fluffo {

PicturePtr decode_png(std::span<const uint8_t>, const std::string& file_name) {
    refuse_picture(file_name, "PNG pictures are decoded by the browser");
}

PicturePtr decode_jpeg(std::span<const uint8_t>, const std::string& file_name) {
    refuse_picture(file_name, "JPEG pictures are decoded by the browser");
}

void write_png(const std::string& path, int32_t, int32_t, const std::vector<uint32_t>&, bool) {
    throw PngWriteError("cannot write \"" + path + "\": the page writes no picture files");
}

}  // namespace fluffo
