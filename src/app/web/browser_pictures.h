#pragma once
// The page's picture files: the PNG and JPEG pictures the browser decoded (kept by the path
// the loaders name them with, "Graphics/Skin/im_egg_1_1.png"), and every other picture read
// from the page's file system by the program's own readers (BMP, ICO). A path is the same
// whether written with "./", "\" or doubled slashes.

#include <map>
#include <string>

#include "display/picture_files.h"

namespace fluffo {

class BrowserPictures : public PictureFiles {
public:
    // The browser's pixels (0xAABBGGRR, what ImageData holds), taken as a picture with alpha,
    // or opaque for a JPEG.
    void keep(const std::string& path, Picture picture);
    bool has_decoded(const std::string& path) const;

    bool exists(const std::string& path) const override;
    PicturePtr load(const std::string& path) const override;

    static std::string normal_path(const std::string& path);

private:
    std::map<std::string, PicturePtr> m_decoded;
    DiskPictureFiles m_disk;
};

}  // namespace fluffo
