# Checks that a Windows build of Bandix.exe carries its icon and its manifest (per-monitor v2
# scaling, common controls v6, no elevation), read back from the executable's resource section.
# Run by CTest: cmake -DEXECUTABLE=… -DWINDRES=… -DOBJCOPY=… -DWORK=… -P WindowsResourcesTest.cmake
execute_process(COMMAND "${WINDRES}" -i "${EXECUTABLE}" -O rc
                OUTPUT_VARIABLE resources RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "windres cannot read the resources of ${EXECUTABLE}")
endif()
string(REGEX MATCHALL "/\\* RT_ICON \\*/" icons "${resources}")
list(LENGTH icons icon_count)
# Bandix.ico holds 16, 32, 48 and 256 pixel images, grouped as the program's icon.
if(NOT icon_count EQUAL 4 OR NOT resources MATCHES "\"IDI_ICON1\" 14 /\\* RT_GROUP_ICON \\*/")
    message(FATAL_ERROR "Bandix.exe should carry the four-image icon IDI_ICON1:\n${resources}")
endif()
# Resource 1 of type 24 is the manifest the loader reads when it creates the process.
if(NOT resources MATCHES "\n1 24 /\\* RT_MANIFEST \\*/")
    message(FATAL_ERROR "Bandix.exe carries no process manifest")
endif()

file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${OBJCOPY}" --dump-section ".rsrc=${WORK}/rsrc.bin" "${EXECUTABLE}"
                        "${WORK}/copy.exe" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "objcopy cannot read the resource section of ${EXECUTABLE}")
endif()
file(STRINGS "${WORK}/rsrc.bin" manifest REGEX "<")
string(JOIN "\n" manifest ${manifest})
foreach(needed IN ITEMS
        ">PerMonitorV2</dpiAwareness>"
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""
        "requestedExecutionLevel level=\"asInvoker\"")
    string(FIND "${manifest}" "${needed}" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "The manifest lacks ${needed}:\n${manifest}")
    endif()
endforeach()
message(STATUS "Bandix.exe carries its icon (${icon_count} images) and its manifest")
