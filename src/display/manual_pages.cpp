#include "display/manual_pages.h"

#include <string>

#include "display/picture_loading.h"

namespace fluffo {

void Gfx_Load_Manual_Pages(ManualScreen& manual, const SkinSources& sources) {
    // No existence test: without the file every value takes its default.
    const IniProfile ini = sources.config.read(sources.config_path()).value_or(IniProfile{});
    const std::string manual_dir =
        sources.resolve(ini.read_directory("Manual", "ManualDir", "Graphics\\Manual\\"));
    // The page on show and its frame follow the client area of the manual screen.
    manual.set_client_height(
        ini.read_integer("Manual", "ManualHeight", ManualScreen::Default_Height));
    manual.set_client_width(ini.read_integer("Manual", "ManualWidth", ManualScreen::Default_Width));

    ScreenModel& model = manual.model();
    const Rect page{0, 0, manual.client_width(), manual.client_height()};
    PictureLoading loading(sources.pictures, Max_Loading_Bytes, sources.scale);
    for (int n = 1; n <= 8; ++n) {
        const HolderId id = manual.Vid_Pages[static_cast<size_t>(n)];
        const std::string path = manual_dir + std::to_string(n) + ".bmp";
        model.set_picture(id, loading.load(path, placeholder_picture()));
        model.set_bounds(id, page);
    }
    loading.finish();
}

}  // namespace fluffo
