#include "app/web/browser_pictures.h"

#include <memory>

namespace fluffo {

std::string BrowserPictures::normal_path(const std::string& path) {
    std::string out;
    out.reserve(path.size());
    for (const char c : path) {
        const char d = c == '\\' ? '/' : c;
        if (d == '/' && !out.empty() && out.back() == '/') continue;
        out += d;
    }
    while (out.size() >= 2 && out[0] == '.' && out[1] == '/')
        out.erase(0, 2);
    return out;
}

void BrowserPictures::keep(const std::string& path, Picture picture) {
    m_decoded[normal_path(path)] = std::make_shared<const Picture>(std::move(picture));
}

bool BrowserPictures::has_decoded(const std::string& path) const {
    return m_decoded.count(normal_path(path)) > 0;
}

bool BrowserPictures::exists(const std::string& path) const {
    return has_decoded(path) || m_disk.exists(path);
}

PicturePtr BrowserPictures::load(const std::string& path) const {
    const auto it = m_decoded.find(normal_path(path));
    if (it != m_decoded.end()) return it->second;
    return m_disk.load(path);
}

}  // namespace fluffo
