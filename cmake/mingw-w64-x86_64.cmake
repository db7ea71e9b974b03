# Toolchain file: cross-compiles for 64-bit Windows with Debian's MinGW-w64 (posix threads variant).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BANDIX_MINGW_TRIPLE x86_64-w64-mingw32)
# The posix variant, named outright rather than through the alternatives link, because
# GoogleTest needs std::thread and std::mutex, which the win32 variant lacks.
set(CMAKE_C_COMPILER ${BANDIX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BANDIX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BANDIX_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BANDIX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Fully static executables run on a bare Windows (or Wine) without any MinGW runtime DLL beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
