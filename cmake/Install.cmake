# Installing the program: the run folder as the build lays it out, under <prefix>/lib, with a
# command in bin/, a desktop entry and icons; and the .deb and .tar.gz packages of it.
#
# The program finds its data beside its executable (it resolves the bin/ link to get there),
# so executable and data stay together in one folder. That folder is a plain lib/, not
# CMAKE_INSTALL_LIBDIR: on Debian that is lib/<multiarch triplet> for the /usr prefix only,
# which would move the folder between a local install and the package and lengthen the bin/
# link by a level. Architecture-specific folders are for shared libraries; a program's private
# folder belongs in lib/<program>.
include(GNUInstallDirs)

set(FLUFFO_INSTALL_APPDIR "lib/fluffo-brambo"
    CACHE STRING "Folder of the program and its data, relative to the install prefix")

# Only the player's program: fluffo-sim, the generators and the tests share the run folder
# or the build but are tools of this project.
install(TARGETS fluffo-brambo RUNTIME DESTINATION "${FLUFFO_INSTALL_APPDIR}")

# The data, copied from the run folder the generators filled: building fluffo-brambo runs
# them, and installing follows building.
install(DIRECTORY "${FLUFFO_RUN_DIR}/Graphics" "${FLUFFO_RUN_DIR}/Sound"
        DESTINATION "${FLUFFO_INSTALL_APPDIR}")
install(FILES "${FLUFFO_RUN_DIR}/Config.ini" "${FLUFFO_RUN_DIR}/Readme.txt"
              "${FLUFFO_RUN_DIR}/Whatsnew.txt"
        DESTINATION "${FLUFFO_INSTALL_APPDIR}")

# bin/fluffo-brambo is a relative link, so the tree works under any prefix and unpacked from
# the archive anywhere. The link is made in the build and installed as a link.
file(RELATIVE_PATH FLUFFO_BIN_LINK_TARGET "/prefix/${CMAKE_INSTALL_BINDIR}"
     "/prefix/${FLUFFO_INSTALL_APPDIR}/fluffo-brambo")
set(FLUFFO_BIN_LINK "${CMAKE_BINARY_DIR}/install/fluffo-brambo")
file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/install")
file(CREATE_LINK "${FLUFFO_BIN_LINK_TARGET}" "${FLUFFO_BIN_LINK}" SYMBOLIC)
install(FILES "${FLUFFO_BIN_LINK}" DESTINATION "${CMAKE_INSTALL_BINDIR}")

install(FILES "${PROJECT_SOURCE_DIR}/cmake/fluffo-brambo.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
# The sizes the artwork generator draws the icon at (app_icon.h); the largest is also the
# window icon.
set(FLUFFO_ICON_SIZES 32 48 64 128 256)
foreach(size IN LISTS FLUFFO_ICON_SIZES)
    install(FILES "${FLUFFO_RUN_DIR}/Graphics/Window/icon_${size}.png"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
            RENAME fluffo-brambo.png)
endforeach()

# The software centres' entry, named by its component id. Its screenshot is the program's own
# render of a game (the window's design size), drawn by the driver over the generated skin for
# the address the entry names.
set(FLUFFO_METAINFO_ID "example.fluffo_brambo.Simulator")
set(FLUFFO_SCREENSHOT_NAME "game-b.png")
set(FLUFFO_SCREENSHOT_WIDTH 440)
set(FLUFFO_SCREENSHOT_HEIGHT 664)
set(FLUFFO_METAINFO "${CMAKE_BINARY_DIR}/install/${FLUFFO_METAINFO_ID}.metainfo.xml")
configure_file("${PROJECT_SOURCE_DIR}/cmake/fluffo-brambo.metainfo.xml.in" "${FLUFFO_METAINFO}"
               @ONLY)
install(FILES "${FLUFFO_METAINFO}" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
set(FLUFFO_SCREENSHOT "${CMAKE_BINARY_DIR}/screenshots/${FLUFFO_SCREENSHOT_NAME}")
file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/screenshots")
add_custom_command(
    OUTPUT "${FLUFFO_SCREENSHOT}"
    COMMAND sh -c "\"$1\" --seed 2017 --skin \"$2\" < \"$3\"" screenshot
            "$<TARGET_FILE:fluffo-sim>" "${FLUFFO_RUN_DIR}"
            "${PROJECT_SOURCE_DIR}/scripts/screenshot.fsim"
    WORKING_DIRECTORY "${CMAKE_BINARY_DIR}/screenshots"
    DEPENDS fluffo-sim artwork "${PROJECT_SOURCE_DIR}/scripts/screenshot.fsim"
    COMMENT "Drawing the software centres' screenshot"
    VERBATIM)
add_custom_target(screenshot ALL DEPENDS "${FLUFFO_SCREENSHOT}")

# Packages: `cmake --build --preset dev --target package` (or `cpack -G DEB`, `cpack -G TGZ`
# in the build folder).
set(CPACK_PACKAGE_NAME "fluffo-brambo")
set(CPACK_PACKAGE_VENDOR "The Fluffo Brambo Simulator project")
set(CPACK_PACKAGE_CONTACT "Fluffo Brambo Simulator developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Fluffo Brambo (Zentrix, Gleeplay) Simulator")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "A desktop simulator of the single-screen LCD handheld Fluffo Brambo: the maze\n"
       "game in Game A and Game B with a high score for each, and the handheld's clock\n"
       "and alarm. Its pictures and sounds are drawn and synthesised by the project's\n"
       "own code.")
set(CPACK_GENERATOR "DEB;TGZ")
# The archive unpacks into one folder holding bin/, lib/ and share/, usable where it lands.
set(CPACK_PACKAGE_FILE_NAME "fluffo-brambo-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME}")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# The .deb installs under /usr, its generator's default: CPACK_PACKAGING_INSTALL_PREFIX set
# here would put the archive's tree under usr/ as well.
# dpkg-shlibdeps works out the Qt, SDL_mixer, libpng and libjpeg packages from the binary.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows' text asks for Arial; the metric twin in fonts-liberation2 keeps the designed
# widths. qt6-wayland lets the program run on a Wayland desktop natively (without it, Qt takes
# Xwayland there).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, qt6-wayland")

include(CPack)
