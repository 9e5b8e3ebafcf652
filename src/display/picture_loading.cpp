#include "display/picture_loading.h"

#include <cmath>

#include "display/picture_variants.h"

namespace fluffo {

std::string loading_too_large_text(const std::string& path) {
    return "The pictures take more than " + std::to_string(Max_Loading_Bytes / (1024 * 1024)) +
           " MB decoded; " + path + " and the pictures after it are not loaded.";
}

PicturePtr PictureLoading::load(const std::string& path, PicturePtr stand_in) {
    return decode_once(
        path, path, [&] { return load_for_scale(m_files, path, m_scale); }, std::move(stand_in));
}

PicturePtr PictureLoading::load_to_cover(const std::string& path, int32_t width, int32_t height,
                                         PicturePtr stand_in) {
    const int64_t cover_width = std::llround(width * m_scale);
    const int64_t cover_height = std::llround(height * m_scale);
    const std::string key =
        path + "\n" + std::to_string(cover_width) + "x" + std::to_string(cover_height);
    return decode_once(
        key, path,
        [&] { return fluffo::load_to_cover(m_files, path, cover_width, cover_height, m_scale); },
        std::move(stand_in));
}

PicturePtr PictureLoading::decode_once(const std::string& key, const std::string& path,
                                       const std::function<PicturePtr()>& decode,
                                       PicturePtr stand_in) {
    if (const auto it = m_decoded.find(key); it != m_decoded.end())
        return it->second ? it->second : stand_in;
    if (!exists_for_scale(m_files, path, m_scale)) return stand_in;
    if (m_refused) return stand_in;
    PicturePtr& decoded = m_decoded[key];
    m_errors.attempt([&] {
        PicturePtr picture = decode();
        const int64_t bytes = static_cast<int64_t>(picture->pixels.size() * sizeof(uint32_t));
        if (m_bytes + bytes > m_max_bytes) {
            m_refused = true;
            m_decoded.erase(key);
            throw UndecodablePicture(loading_too_large_text(path));
        }
        m_bytes += bytes;
        decoded = std::move(picture);
    });
    const auto it = m_decoded.find(key);
    return it != m_decoded.end() && it->second ? it->second : stand_in;
}

}  // namespace fluffo
