#pragma once
// Pictures drawn for more than one resolution: beside "name.png" a picture may have
// "name@2x.png" and "name@3x.png" (the naming the desktop toolkits use), drawn for two and
// three screen pixels per window pixel. Loading for a scale takes the smallest variant at or
// above it, the largest there is when none is, and marks its density; a picture with no
// variants (a skin made for one resolution) loads as it is and is scaled when drawn.

#include <string>

#include "display/picture_files.h"

namespace fluffo {

// The densities a picture can be drawn for, smallest first.
inline constexpr int32_t Picture_Densities[] = {1, 2, 3};

// "dir/name@2x.png" for density 2; the path itself for density 1.
std::string variant_path(const std::string& path, int32_t density);

// The density whose variant is loaded for the scale (screen pixels per window pixel), given
// which densities exist (has[i] for Picture_Densities[i]); 1 when none is marked.
int32_t density_for_scale(double scale, const bool (&has)[3]);

// Loads the variant of path for the scale. The 1x file need not exist when a variant does.
// Throws UndecodablePicture as PictureFiles::load does.
PicturePtr load_for_scale(const PictureFiles& files, const std::string& path, double scale);

// For a picture stretched over width x height screen pixels (a backdrop covering the
// screen): the variant whose pixels come nearest to covering it, read from the 1x picture's
// size; the 1x picture itself when it covers it already, or when there is no 1x file, the
// variant for max_scale.
PicturePtr load_to_cover(const PictureFiles& files, const std::string& path, int64_t width,
                         int64_t height, double max_scale);

// Whether path or any of its variants exists.
bool any_variant_exists(const PictureFiles& files, const std::string& path);

// Whether load_for_scale finds a file for path at the scale: at scale 1 or below only the 1x
// file counts.
bool exists_for_scale(const PictureFiles& files, const std::string& path, double scale);

}  // namespace fluffo
