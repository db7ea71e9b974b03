# Toolchain file: cross-compiles for 64-bit Windows with Debian's MinGW-w64 (posix threads variant).
# Used for the Qt that scripts/windows-qt.sh builds, for GoogleTest and for Bandix itself.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BANDIX_MINGW_TRIPLE x86_64-w64-mingw32)
# The posix variant, named outright rather than through the alternatives link, because Qt and
# GoogleTest need std::thread and std::mutex, which the win32 variant lacks.
set(CMAKE_C_COMPILER ${BANDIX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BANDIX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BANDIX_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BANDIX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Named outright too: CMake does not derive the binutils' prefix from the "-posix" compiler name,
# and the host's own binutils do not read PE files.
set(CMAKE_STRIP /usr/bin/${BANDIX_MINGW_TRIPLE}-strip CACHE FILEPATH "")
set(CMAKE_OBJDUMP /usr/bin/${BANDIX_MINGW_TRIPLE}-objdump CACHE FILEPATH "")
set(CMAKE_OBJCOPY /usr/bin/${BANDIX_MINGW_TRIPLE}-objcopy CACHE FILEPATH "")
