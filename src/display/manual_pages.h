#pragma once
// Loading the manual: section Manual of Config.ini sizes the manual window, and the eight page
// files 1.bmp .. 8.bmp go into the page holders. A missing Config.ini gives the defaults; a
// missing page the placeholder; an undecodable page stops the load with UndecodablePicture.

#include "display/manual_screen.h"
#include "display/skin_sources.h"

namespace fluffo {

void Gfx_Load_Manual_Pages(ManualScreen& manual, const SkinSources& sources);

}  // namespace fluffo
