#pragma once
// Picture files: the format is chosen by the file name's extension, whatever its case
// (bmp, png, jpg, jpeg, and the platform's icon format "ico" through a port the desktop
// program fills). Anything else, damaged data, or absurd dimensions are refused.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/platform_error.h"
#include "display/picture.h"

namespace fluffo {

// The text names the file and the reason.
class UndecodablePicture : public PlatformError {
public:
    using PlatformError::PlatformError;
};

// Pictures larger than this on either side, or in all, are refused before any pixel memory
// is taken.
inline constexpr int64_t Max_Picture_Side = 16384;
inline constexpr int64_t Max_Picture_Pixels = 64LL * 1024 * 1024;

// Decodes bytes by the extension of file_name (which also names the file in messages): PNG,
// JPEG, BMP and ICO, the same in every program.
PicturePtr decode_picture(std::span<const uint8_t> bytes, const std::string& file_name);

// What the skin and manual loaders need of the file system.
class PictureFiles {
public:
    virtual ~PictureFiles() = default;
    virtual bool exists(const std::string& path) const = 0;
    // Throws UndecodablePicture when the file cannot be read or decoded.
    virtual PicturePtr load(const std::string& path) const = 0;
};

class DiskPictureFiles : public PictureFiles {
public:
    bool exists(const std::string& path) const override;
    PicturePtr load(const std::string& path) const override;
};

}  // namespace fluffo
