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

# The DLLs that can travel with the program, by lower-case name: Windows matches DLL names
# without regard to case. (file(GET_RUNTIME_DEPENDENCIES) lower-cases the names too, and then
# misses "Qt6Core.dll" on a case-sensitive file system.)
set(bandix_candidates "")
foreach(folder IN LISTS BANDIX_DLL_FOLDERS)
    file(GLOB folder_dlls "${folder}/*.dll")
    foreach(dll IN LISTS folder_dlls)
        get_filename_component(name "${dll}" NAME)
        string(TOLOWER "${name}" name)
        if(NOT DEFINED bandix_candidate_${name})
            set(bandix_candidate_${name} "${dll}")
        endif()
    endforeach()
endforeach()

# Follows the import tables from the program and its plugins; an import found in none of the
# folders is a DLL of Windows itself.
set(bandix_libraries "")
set(bandix_pending "${BANDIX_EXECUTABLE};${BANDIX_QT_PLUGINS}")
while(bandix_pending)
    list(POP_FRONT bandix_pending binary)
    execute_process(COMMAND "${BANDIX_OBJDUMP}" -p "${binary}" OUTPUT_VARIABLE dump
                    COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
    foreach(import IN LISTS imports)
        string(REGEX REPLACE "^DLL Name: " "" name "${import}")
        string(TOLOWER "${name}" name)
        set(dll "${bandix_candidate_${name}}")
        list(FIND bandix_libraries "${dll}" known)
        if(dll AND known EQUAL -1)
            list(APPEND bandix_libraries "${dll}")
            list(APPEND bandix_pending "${dll}")
        endif()
    endforeach()
endwhile()
if(NOT bandix_libraries MATCHES "Qt6Widgets")
    message(FATAL_ERROR "No Qt DLLs found for ${BANDIX_EXECUTABLE} in ${BANDIX_DLL_FOLDERS}")
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
