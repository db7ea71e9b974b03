# Install step on Linux: copies the Qt plugins and the Qt and ICU libraries Bandix loads, and
# writes the notices of everything of others the folder carries.
# Expects BANDIX_EXECUTABLE (the built program), BANDIX_QT_PLUGINS (plugin files),
# BANDIX_NOTICES_COMMAND (scripts/notices.py linux) and BANDIX_EMBEDDED_FILES (files of others
# compiled into the program) to be set.

set(bandix_prefix "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

foreach(plugin IN LISTS BANDIX_QT_PLUGINS)
    # Qt looks a plugin up by its type, which is the name of the folder it was installed in.
    get_filename_component(plugin_dir "${plugin}" DIRECTORY)
    get_filename_component(plugin_type "${plugin_dir}" NAME)
    file(INSTALL "${plugin}" DESTINATION "${bandix_prefix}/plugins/${plugin_type}")
endforeach()

# Only Qt and the ICU it was built against travel with the program: the C and C++ runtimes,
# X11 and OpenGL must come from the user's system, where they match its kernel and drivers.
file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES "${BANDIX_EXECUTABLE}"
    MODULES ${BANDIX_QT_PLUGINS}
    RESOLVED_DEPENDENCIES_VAR bandix_libraries
    UNRESOLVED_DEPENDENCIES_VAR bandix_missing
    PRE_INCLUDE_REGEXES "^libQt6[A-Za-z0-9]*\\.so" "^libicu[a-z0-9]*\\.so"
    PRE_EXCLUDE_REGEXES ".*"
)
if(bandix_missing)
    message(FATAL_ERROR "Libraries Bandix needs were not found: ${bandix_missing}")
endif()
if(NOT bandix_libraries MATCHES "libQt6Widgets")
    message(FATAL_ERROR "No Qt libraries found for ${BANDIX_EXECUTABLE}")
endif()
file(INSTALL ${bandix_libraries} DESTINATION "${bandix_prefix}/lib" FOLLOW_SYMLINK_CHAIN)

execute_process(COMMAND ${BANDIX_NOTICES_COMMAND} "${bandix_prefix}/THIRD-PARTY-NOTICES.txt"
                        ${bandix_libraries} ${BANDIX_QT_PLUGINS} ${BANDIX_EMBEDDED_FILES}
                COMMAND_ERROR_IS_FATAL ANY)
