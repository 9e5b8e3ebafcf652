#pragma once
// The platform's icon format, read by the toolkit's own image reader for the core's picture
// loading.

#include "display/picture_files.h"

namespace fluffo {

class QtIconDecoder : public IconDecoder {
public:
    // The largest image of the icon file; its alpha (or AND mask) makes the see-through parts.
    PicturePtr decode_icon(std::span<const uint8_t> bytes,
                           const std::string& file_name) const override;
};

}  // namespace fluffo
