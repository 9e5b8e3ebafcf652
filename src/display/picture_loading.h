#pragma once
// One loading of many pictures (a skin, the manual pages). Each distinct file is decoded once
// and shared by every holder that names it. A file that is missing, or that cannot be decoded,
// gives the holder its stand-in (the placeholder, or nothing) and the loading goes on; the
// first decoding error is kept, to be told once when the loading ends. The pictures decoded
// may take Max_Loading_Bytes in all: beyond that the loading is refused with its own message,
// and every later file gets its stand-in without being decoded. Pictures come in the variant
// drawn for the loading's scale (name@2x.png ...) where there is one.

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "base/platform_error.h"
#include "display/picture.h"
#include "display/picture_files.h"

namespace fluffo {

inline constexpr int64_t Max_Loading_Bytes = 512LL * 1024 * 1024;

std::string loading_too_large_text(const std::string& path);

class PictureLoading {
public:
    explicit PictureLoading(const PictureFiles& files, int64_t max_bytes = Max_Loading_Bytes,
                            double scale = 1.0)
        : m_files(files), m_max_bytes(max_bytes), m_scale(scale) {}

    // The file's picture in its variant for the scale; the stand-in when the file is missing,
    // undecodable or over the limit.
    PicturePtr load(const std::string& path, PicturePtr stand_in);
    // A picture stretched over width x height window pixels (a backdrop over the screen): the
    // variant that covers them at the scale with the fewest pixels to spare.
    PicturePtr load_to_cover(const std::string& path, int32_t width, int32_t height,
                             PicturePtr stand_in);
    // Raises the first error met, if any: the end of the loading.
    void finish() const { m_errors.rethrow_first(); }

private:
    // The picture decoded once under key: the first time by decode, which may throw.
    PicturePtr decode_once(const std::string& key, const std::string& path,
                           const std::function<PicturePtr()>& decode, PicturePtr stand_in);

    const PictureFiles& m_files;
    int64_t m_max_bytes;
    double m_scale;
    int64_t m_bytes = 0;
    bool m_refused = false;
    std::map<std::string, PicturePtr>
        m_decoded;  // by path (and size covered); a file that failed holds nothing
    DeferredErrors m_errors;
};

}  // namespace fluffo
