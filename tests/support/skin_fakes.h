#pragma once
// In-memory stand-ins for the skin loaders' files and the main window, and small pictures made
// by the tests themselves.

#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "display/picture_files.h"
#include "display/skin_sources.h"
#include "display/skin_window.h"

namespace fluffo::test {

inline PicturePtr solid_picture(int32_t width, int32_t height, uint32_t colour,
                                Transparency rule = Transparency::None) {
    auto p = std::make_shared<Picture>();
    p->width = width;
    p->height = height;
    p->pixels.assign(static_cast<size_t>(width * height), colour);
    p->transparency = rule;
    return p;
}

// Pixels given row by row, top row first.
inline PicturePtr picture_of(int32_t width, int32_t height, std::vector<uint32_t> pixels,
                             Transparency rule = Transparency::None) {
    auto p = std::make_shared<Picture>();
    p->width = width;
    p->height = height;
    p->pixels = std::move(pixels);
    p->transparency = rule;
    return p;
}

class FakeConfigFiles : public ConfigFiles {
public:
    std::map<std::string, std::string> files;
    bool exists(const std::string& path) const override { return files.contains(path); }
    std::optional<IniProfile> read(const std::string& path) const override {
        const auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        std::istringstream in(it->second);
        return IniProfile::parse(in);
    }
};

class FakePictureFiles : public PictureFiles {
public:
    std::map<std::string, PicturePtr> files;
    std::set<std::string> damaged;  // exist, but do not decode
    mutable std::vector<std::string> loaded;

    bool exists(const std::string& path) const override {
        return files.contains(path) || damaged.contains(path);
    }
    PicturePtr load(const std::string& path) const override {
        loaded.push_back(path);
        if (damaged.contains(path)) throw UndecodablePicture(path + ": damaged data");
        return files.at(path);
    }
};

// Keeps the window's values like PlainSkinWindow and also logs every call in order.
class RecordingWindow : public PlainSkinWindow {
public:
    using PlainSkinWindow::PlainSkinWindow;
    std::vector<std::string> calls;

    void set_client_width(int32_t w) override {
        calls.push_back("width " + std::to_string(w));
        PlainSkinWindow::set_client_width(w);
    }
    void set_client_height(int32_t h) override {
        calls.push_back("height " + std::to_string(h));
        PlainSkinWindow::set_client_height(h);
    }
    void set_colour(uint32_t c) override {
        calls.push_back("colour " + hex(c));
        PlainSkinWindow::set_colour(c);
    }
    void set_colour_key(uint32_t c) override {
        calls.push_back("key " + hex(c));
        PlainSkinWindow::set_colour_key(c);
    }
    void set_colour_key_enabled(bool on) override {
        calls.push_back(on ? "key on" : "key off");
        PlainSkinWindow::set_colour_key_enabled(on);
    }
    void show_error(const std::string& text) override {
        calls.push_back("error " + text);
        PlainSkinWindow::show_error(text);
    }
    void terminate() override {
        calls.push_back("terminate");
        PlainSkinWindow::terminate();
    }

private:
    static std::string hex(uint32_t v) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%08x", v);
        return buf;
    }
};

}  // namespace fluffo::test
