# Cross builds for Windows run their tests under Wine: CTest starts each test executable through
# a generated wine-run.sh. The executables are linked statically, so they need no DLL path.
find_program(BANDIX_WINELOADER NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
find_program(BANDIX_WINESERVER NAMES wineserver64 wineserver PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(NOT BANDIX_WINELOADER OR NOT BANDIX_WINESERVER)
    message(STATUS "No Wine found: the Windows tests are built but cannot run here")
    return()
endif()

set(BANDIX_WINEPREFIX "${PROJECT_BINARY_DIR}/wineprefix")
# The offscreen platform's font folder, as a Windows path on Wine's Z: drive.
set(BANDIX_WINE_FONTDIR "Z:\\usr\\share\\fonts\\truetype\\liberation2")

configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${PROJECT_BINARY_DIR}/wine-run.sh
               @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
               WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run.sh)
