#include "display/picture_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "display/picture_decoders.h"

namespace fluffo {
namespace {

// A file larger than the largest picture stored raw (plus room for headers) is not read.
constexpr int64_t Max_Picture_File_Bytes = Max_Picture_Pixels * 4 + 16 * 1024 * 1024;

// The extension of the last path component, in lower case; empty when there is none.
std::string extension_of(const std::string& file_name) {
    const size_t slash = file_name.find_last_of("/\\");
    const size_t dot = file_name.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = file_name.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

}  // namespace

void refuse_picture(const std::string& file_name, const std::string& reason) {
    throw UndecodablePicture("Undecodable picture \"" + file_name + "\": " + reason);
}

bool picture_size_allowed(int64_t width, int64_t height) {
    return width >= 1 && height >= 1 && width <= Max_Picture_Side && height <= Max_Picture_Side &&
           width * height <= Max_Picture_Pixels;
}

void check_picture_size(const std::string& file_name, int64_t width, int64_t height) {
    if (width < 1 || height < 1) {
        refuse_picture(file_name, "it declares no pixels (" + std::to_string(width) + " x " +
                                      std::to_string(height) + ")");
    }
    if (!picture_size_allowed(width, height)) {
        refuse_picture(file_name, "its declared size " + std::to_string(width) + " x " +
                                      std::to_string(height) + " is too large");
    }
}

PicturePtr decode_picture(std::span<const uint8_t> bytes, const std::string& file_name) {
    const std::string ext = extension_of(file_name);
    if (ext == "png") return decode_png(bytes, file_name);
    if (ext == "jpg" || ext == "jpeg") return decode_jpeg(bytes, file_name);
    if (ext == "bmp") return decode_bmp(bytes, file_name);
    if (ext == "ico") return decode_ico(bytes, file_name);
    refuse_picture(file_name, ext.empty() ? "the file name has no extension"
                                          : "no picture format has the extension \"" + ext + "\"");
}

bool DiskPictureFiles::exists(const std::string& path) const {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

PicturePtr DiskPictureFiles::load(const std::string& path) const {
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(path, error);
    if (error) refuse_picture(path, "the file cannot be read");
    if (size > static_cast<uintmax_t>(Max_Picture_File_Bytes)) {
        refuse_picture(path, "the file is too large");
    }
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
        refuse_picture(path, "the file cannot be read");
    }
    return decode_picture(bytes, path);
}

}  // namespace fluffo
