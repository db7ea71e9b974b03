# Installing and packaging the portable folder: Bandix at its top, the Qt it needs beside it.

# Bandix keeps Bandix.ini beside its executable, so the executable sits at the top of the
# folder, where the user looks for both.
install(TARGETS Bandix RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)

# THIRD-PARTY-NOTICES.txt is made at install time by scripts/notices.py from the records of what
# the archive really carries; it fails, naming the component, where a record is missing.
find_program(BANDIX_PYTHON python3 REQUIRED)
set(bandix_notices_tool "${PROJECT_SOURCE_DIR}/scripts/notices.py")

# The files of the named Qt plugins ("platforms/qwindows.dll"…), all of which must exist.
function(bandix_qt_plugin_files out)
    set(files "")
    foreach(plugin IN LISTS ARGN)
        set(plugin_file "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}/${plugin}")
        if(NOT EXISTS "${plugin_file}")
            message(FATAL_ERROR "Packaging needs the Qt plugin ${plugin_file}")
        endif()
        list(APPEND files "${plugin_file}")
    endforeach()
    set(${out} "${files}" PARENT_SCOPE)
endfunction()

if(MINGW)
    # Qt, its plugins and the MinGW runtime are linked in: Bandix.exe is the whole program. Its
    # linker map says which parts of them it took, and so whose notices it owes.
    if(NOT BANDIX_STATIC_QT)
        message(FATAL_ERROR "The Windows package is one executable and needs a static Qt")
    endif()
    install(CODE "
        execute_process(COMMAND \"${BANDIX_PYTHON}\" \"${bandix_notices_tool}\" windows
                        \"${QT6_INSTALL_PREFIX}/records\" \"$<TARGET_FILE_DIR:Bandix>/Bandix.map\"
                        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/THIRD-PARTY-NOTICES.txt\"
                        COMMAND_ERROR_IS_FATAL ANY)
    ")
    set(CPACK_GENERATOR ZIP)
elseif(WIN32)
    qt_generate_deploy_app_script(TARGET Bandix FILENAME_VARIABLE bandix_deploy_script)
    # Qt's script deploys into its bin directory; ours is the top of the folder.
    install(CODE "set(QT_DEPLOY_BIN_DIR .)")
    install(SCRIPT "${bandix_deploy_script}")
    set(CPACK_GENERATOR ZIP)
elseif(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    # Qt 6.4 has no deploy tool for Linux, so cmake/DeployLinux.cmake copies the libraries.
    # The old DT_RPATH tag (not DT_RUNPATH) is wanted: the loader also searches the
    # executable's DT_RPATH for the dependencies of the libraries and plugins, which carry
    # no search path of their own, so the copies in lib/ win over any Qt on the system.
    # Built with it too: a build path padded for the later rewrite holds empty entries, and the
    # loader reads those as the current directory.
    set_target_properties(Bandix PROPERTIES INSTALL_RPATH "$ORIGIN/lib" BUILD_WITH_INSTALL_RPATH ON)
    target_link_options(Bandix PRIVATE "LINKER:--disable-new-dtags")

    # The window needs X11 (xcb, with its OpenGL glue), the offscreen platform runs it without
    # a display, and the resistor picture is a JPEG. The files are named rather than taken from
    # Qt's plugin targets, which would need the X11 development packages just to be defined.
    bandix_qt_plugin_files(bandix_plugin_files
        platforms/libqxcb.so platforms/libqoffscreen.so imageformats/libqjpeg.so
        xcbglintegrations/libqxcb-glx-integration.so xcbglintegrations/libqxcb-egl-integration.so)

    # The Liberation Sans embedded in Bandix (resources/CMakeLists.txt) is Debian's too, and
    # owes its notice like the libraries beside it.
    install(CODE "
        set(BANDIX_EXECUTABLE \"$<TARGET_FILE:Bandix>\")
        set(BANDIX_QT_PLUGINS \"${bandix_plugin_files}\")
        set(BANDIX_NOTICES_COMMAND \"${BANDIX_PYTHON};${bandix_notices_tool};linux\")
        set(BANDIX_EMBEDDED_FILES \"${BANDIX_CARRIED_FONT}\")
    ")
    install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/DeployLinux.cmake)
    install(FILES
        ${PROJECT_SOURCE_DIR}/packaging/qt.conf
        ${PROJECT_SOURCE_DIR}/packaging/bandix.desktop
        ${PROJECT_SOURCE_DIR}/resources/Bandix.png
        DESTINATION .)
    set(CPACK_GENERATOR TGZ)
endif()

set(CPACK_PACKAGE_NAME Bandix)
if(WIN32)
    set(CPACK_SYSTEM_NAME win64)
endif()
set(CPACK_PACKAGE_VENDOR Bandix)
set(CPACK_STRIP_FILES ON)
include(CPack)
