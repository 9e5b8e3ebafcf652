#pragma once
// One loading of many pictures (a skin, the manual pages). Each distinct file is decoded once
// and shared by every holder that names it. A file that is missing, or that cannot be decoded,
// gives the holder its stand-in (the placeholder, or nothing) and the loading goes on; the
// first decoding error is kept, to be told once when the loading ends. The pictures decoded
// may take Max_Loading_Bytes in all: beyond that the loading is refused with its own message,
// and every later file gets its stand-in without being decoded.

#include <cstdint>
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
    explicit PictureLoading(const PictureFiles& files, int64_t max_bytes = Max_Loading_Bytes)
        : m_files(files), m_max_bytes(max_bytes) {}

    // The file's picture; the stand-in when the file is missing, undecodable or over the
    // limit.
    PicturePtr load(const std::string& path, PicturePtr stand_in);
    // Raises the first error met, if any: the end of the loading.
    void finish() const { m_errors.rethrow_first(); }

private:
    const PictureFiles& m_files;
    int64_t m_max_bytes;
    int64_t m_bytes = 0;
    bool m_refused = false;
    std::map<std::string, PicturePtr> m_decoded;  // by path; a file that failed holds nothing
    DeferredErrors m_errors;
};

}  // namespace fluffo
