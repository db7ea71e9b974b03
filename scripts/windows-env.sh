# Sourced by the Windows scripts: the cross toolchain, the cached Qt and GoogleTest for Windows,
# and a Wine prefix to run Windows executables in.
# shellcheck shell=bash
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
    wine64 googletest fonts-liberation2 >&2

windows_toolchain="$PWD/cmake/mingw-w64-x86_64.cmake"
windows_cache=${BANDIX_CACHE:-$HOME/.cache/bandix}
# Debian's wine64 installs only these two, no /usr/bin/wine without the 32-bit side.
export WINELOADER=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver64

# Exports BANDIX_WINDOWS_QT and BANDIX_WINDOWS_GTEST, building what the cache lacks.
windows_prepare() {
    BANDIX_WINDOWS_QT=$(scripts/windows-qt.sh)
    export BANDIX_WINDOWS_QT
    windows_gtest
}

windows_gtest() {
    # Debian ships GoogleTest as sources only; its host libraries cannot link into a PE executable.
    local version key
    version=$(dpkg-query -W -f='${Version}' googletest)
    key=$(x86_64-w64-mingw32-g++-posix --version | sha256sum | cut -c1-12)
    BANDIX_WINDOWS_GTEST="$windows_cache/googletest-$version-mingw64-$key"
    export BANDIX_WINDOWS_GTEST
    if [ ! -f "$BANDIX_WINDOWS_GTEST/lib/cmake/GTest/GTestConfig.cmake" ]; then
        local work="$windows_cache/googletest-build"
        rm -rf "$work"
        echo "Building GoogleTest $version for Windows into $BANDIX_WINDOWS_GTEST" >&2
        { cmake -S /usr/src/googletest -B "$work" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$windows_toolchain" \
              -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$BANDIX_WINDOWS_GTEST" \
              -DBUILD_GMOCK=OFF -DBUILD_SHARED_LIBS=OFF &&
          cmake --build "$work" && cmake --install "$work"; } >"$windows_cache/googletest.log" 2>&1 ||
            { tail -n 40 "$windows_cache/googletest.log" >&2; return 1; }
        rm -rf "$work"
    fi
}

# Exports a Wine prefix at $1 for Windows executables, creating it on first use: no display
# unless the caller sets one, no prompt to fetch Mono or Gecko (nothing here uses them), no menu
# builder writing desktop entries into $HOME, and Segoe UI and Arial, which Wine lacks, drawn
# with Liberation Sans, which has Arial's metrics.
wine_prepare() {
    export WINEPREFIX=$1
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    if [ ! -f "$WINEPREFIX/.bandix-ready" ]; then
        rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        echo "Creating the Wine prefix $WINEPREFIX" >&2
        DISPLAY="" "$WINELOADER" wineboot --init >"$WINEPREFIX/wineboot.log" 2>&1
        printf '%s\r\n' 'REGEDIT4' '' '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
            '"Segoe UI"="Liberation Sans"' '"Arial"="Liberation Sans"' >"$WINEPREFIX/fonts.reg"
        DISPLAY="" "$WINELOADER" regedit /S "$(winepath_of "$WINEPREFIX/fonts.reg")" \
            >>"$WINEPREFIX/wineboot.log" 2>&1
        "$WINESERVER" -w
        touch "$WINEPREFIX/.bandix-ready"
    fi
}

# The Windows path Wine gives a Unix path: its Z: drive maps the whole file system.
winepath_of() {
    local path
    path=$(realpath -m "$1")
    echo "Z:${path//\//\\}"
}
