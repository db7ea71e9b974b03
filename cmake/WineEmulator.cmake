# Cross builds for Windows run their tests under Wine: CTest starts each test executable through
# a generated wine-run.sh, which finds the Qt and MinGW runtime DLLs where they were built.
find_program(BANDIX_WINELOADER NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
find_program(BANDIX_WINESERVER NAMES wineserver64 wineserver PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(NOT BANDIX_WINELOADER OR NOT BANDIX_WINESERVER)
    message(STATUS "No Wine found: the Windows tests are built but cannot run here")
    return()
endif()

# The folders Wine should search for DLLs, as Windows paths on Wine's Z: drive.
function(bandix_wine_path out)
    set(paths "")
    foreach(folder IN LISTS ARGN)
        string(REPLACE "/" "\\" folder "Z:${folder}")
        list(APPEND paths "${folder}")
    endforeach()
    set(${out} "${paths}" PARENT_SCOPE)
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/MinGWRuntime.cmake)
bandix_mingw_runtime_folders(bandix_dll_folders)
if(BANDIX_BUILD_GUI)
    find_package(Qt6 REQUIRED COMPONENTS Core)
    list(PREPEND bandix_dll_folders "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
endif()
bandix_wine_path(BANDIX_WINEPATH ${bandix_dll_folders})
set(BANDIX_WINEPREFIX "${PROJECT_BINARY_DIR}/wineprefix")
bandix_wine_path(BANDIX_WINE_FONTDIR /usr/share/fonts/truetype/liberation2)

configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${PROJECT_BINARY_DIR}/wine-run.sh
               @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
               WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run.sh)
