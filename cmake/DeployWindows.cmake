# Install step of a MinGW build: copies the Qt plugins, and the Qt and MinGW runtime DLLs that
# Bandix and those plugins load, beside Bandix.exe (Qt looks for plugins in the program's folder).
# Expects BANDIX_EXECUTABLE, BANDIX_QT_PLUGINS (plugin files), BANDIX_DLL_FOLDERS (where the
# DLLs are), BANDIX_OBJDUMP and BANDIX_STRIP to be set.

set(bandix_prefix "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

set(bandix_installed_plugins "")
foreach(plugin IN LISTS BANDIX_QT_PLUGINS)
    # Qt looks a plugin up by its type, which is the name of the folder it was installed in.
    get_filename_component(plugin_dir "${plugin}" DIRECTORY)
    get_filename_component(plugin_type "${plugin_dir}" NAME)
    get_filename_component(plugin_name "${plugin}" NAME)
    file(INSTALL "${plugin}" DESTINATION "${bandix_prefix}/${plugin_type}")
    list(APPEND bandix_installed_plugins "${bandix_prefix}/${plugin_type}/${plugin_name}")
endforeach()

# Read the PE import tables with MinGW's objdump, whatever system this runs on. Everything not
# Qt's or MinGW's own is a DLL of Windows itself and stays out of the folder.
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM "windows+pe")
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL "objdump")
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND "${BANDIX_OBJDUMP}")
file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES "${BANDIX_EXECUTABLE}"
    MODULES ${BANDIX_QT_PLUGINS}
    DIRECTORIES ${BANDIX_DLL_FOLDERS}
    RESOLVED_DEPENDENCIES_VAR bandix_libraries
    UNRESOLVED_DEPENDENCIES_VAR bandix_missing
    PRE_INCLUDE_REGEXES "^qt6[a-z0-9]*\\.dll$" "^lib(stdc\\+\\+-6|gcc_s_seh-1|winpthread-1)\\.dll$"
    PRE_EXCLUDE_REGEXES ".*"
)
if(bandix_missing)
    message(FATAL_ERROR "DLLs Bandix needs were not found: ${bandix_missing}")
endif()
if(NOT bandix_libraries MATCHES "Qt6Widgets")
    message(FATAL_ERROR "No Qt DLLs found for ${BANDIX_EXECUTABLE}")
endif()
file(INSTALL ${bandix_libraries} DESTINATION "${bandix_prefix}")

# CMake strips only the targets it built; the DLLs carry symbol tables nobody needs at run time.
if(CMAKE_INSTALL_DO_STRIP)
    set(bandix_copied "${bandix_installed_plugins}")
    foreach(library IN LISTS bandix_libraries)
        get_filename_component(library_name "${library}" NAME)
        list(APPEND bandix_copied "${bandix_prefix}/${library_name}")
    endforeach()
    execute_process(COMMAND "${BANDIX_STRIP}" --strip-unneeded ${bandix_copied}
                    COMMAND_ERROR_IS_FATAL ANY)
endif()
