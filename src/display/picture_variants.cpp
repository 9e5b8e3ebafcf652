#include "display/picture_variants.h"

#include <algorithm>
#include <memory>

namespace fluffo {

std::string variant_path(const std::string& path, int32_t density) {
    if (density <= 1) return path;
    const size_t slash = path.find_last_of("/\\");
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) dot = path.size();
    return path.substr(0, dot) + "@" + std::to_string(density) + "x" + path.substr(dot);
}

int32_t density_for_scale(double scale, const bool (&has)[3]) {
    int32_t largest = 1;
    for (size_t i = 0; i < 3; ++i) {
        if (!has[i]) continue;
        if (Picture_Densities[i] >= scale - 1e-9) return Picture_Densities[i];
        largest = Picture_Densities[i];
    }
    return largest;
}

PicturePtr load_for_scale(const PictureFiles& files, const std::string& path, double scale) {
    bool has[3] = {};
    // At scale 1 or below only the 1x file is asked for, as before there were variants.
    for (size_t i = 0; i < 3; ++i) {
        has[i] = (i == 0 || scale > 1.0) && files.exists(variant_path(path, Picture_Densities[i]));
    }
    const int32_t density = density_for_scale(scale, has);
    PicturePtr picture = files.load(variant_path(path, density));
    if (density == 1 || !picture) return picture;
    // A picture just decoded belongs to no one else and is marked in place; one a file source
    // shares (a cache) is copied first.
    std::shared_ptr<Picture> marked = picture.use_count() == 1
                                          ? std::const_pointer_cast<Picture>(picture)
                                          : std::make_shared<Picture>(*picture);
    marked->density = density;
    return marked;
}

PicturePtr load_to_cover(const PictureFiles& files, const std::string& path, int64_t width,
                         int64_t height, double max_scale) {
    if (max_scale <= 1.0 || !files.exists(path)) return load_for_scale(files, path, max_scale);
    PicturePtr one = files.load(path);
    if (!one || one->width <= 0 || one->height <= 0) return one;
    const double needed = std::max(static_cast<double>(width) / one->width,
                                   static_cast<double>(height) / one->height);
    if (needed <= 1.0) return one;
    return load_for_scale(files, path, std::min(needed, max_scale));
}

bool any_variant_exists(const PictureFiles& files, const std::string& path) {
    for (const int32_t density : Picture_Densities) {
        if (files.exists(variant_path(path, density))) return true;
    }
    return false;
}

bool exists_for_scale(const PictureFiles& files, const std::string& path, double scale) {
    return scale > 1.0 ? any_variant_exists(files, path) : files.exists(path);
}

}  // namespace fluffo
