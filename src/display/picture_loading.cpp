#include "display/picture_loading.h"

namespace fluffo {

std::string loading_too_large_text(const std::string& path) {
    return "The pictures take more than " + std::to_string(Max_Loading_Bytes / (1024 * 1024)) +
           " MB decoded; " + path + " and the pictures after it are not loaded.";
}

PicturePtr PictureLoading::load(const std::string& path, PicturePtr stand_in) {
    if (const auto it = m_decoded.find(path); it != m_decoded.end())
        return it->second ? it->second : stand_in;
    if (!m_files.exists(path)) return stand_in;
    if (m_refused) return stand_in;
    PicturePtr& decoded = m_decoded[path];
    m_errors.attempt([&] {
        PicturePtr picture = m_files.load(path);
        const int64_t bytes = static_cast<int64_t>(picture->pixels.size() * sizeof(uint32_t));
        if (m_bytes + bytes > m_max_bytes) {
            m_refused = true;
            m_decoded.erase(path);
            throw UndecodablePicture(loading_too_large_text(path));
        }
        m_bytes += bytes;
        decoded = std::move(picture);
    });
    const auto it = m_decoded.find(path);
    return it != m_decoded.end() && it->second ? it->second : stand_in;
}

}  // namespace fluffo
