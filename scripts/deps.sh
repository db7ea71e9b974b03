# Sourced by the other scripts: installs the Debian packages they need, only those missing.
# Usage: ensure_packages pkg...
# shellcheck shell=bash

ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    if ! $sudo apt-get install -y --no-install-recommends "${missing[@]}"; then
        $sudo apt-get update
        $sudo apt-get install -y --no-install-recommends "${missing[@]}"
    fi
}

# Packs the same commit into the same bytes: archive entries, PE time stamps (which strip
# rewrites) and ZIP times (kept in local time) all take the commit's time, in UTC.
reproducible_packaging() {
    SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 0)}
    export SOURCE_DATE_EPOCH TZ=UTC
}

# CPack (CMake 3.25) packs the staged files in the order the file system lists them and
# with the builder's user, group and umask, so one commit packed on two machines differs.
# Repacks CPack's archive $1 (.tar.gz or .zip) in place: entries sorted by name, root's, files
# 644 or 755 and folders 755, all dated by the commit. Needs reproducible_packaging first.
repack_reproducibly() {
    local archive work entries
    archive=$(realpath "$1")
    work="$archive.repack"
    entries="$archive.entries"
    rm -rf "$work"
    mkdir "$work"
    case $archive in
        *.zip) unzip -q "$archive" -d "$work" ;;
        *) tar -xzf "$archive" -C "$work" ;;
    esac
    rm "$archive"
    chmod -R u=rwX,go=rX "$work"
    find "$work" -mindepth 1 -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
    (cd "$work" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort) >"$entries"
    case $archive in
        *.zip) (cd "$work" && zip -q -X -9 "$archive" -@) <"$entries" ;;
        *) tar -C "$work" -cf - --no-recursion --verbatim-files-from -T "$entries" \
               --format=gnu --numeric-owner --owner=0 --group=0 | gzip -9n >"$archive" ;;
    esac
    rm -rf "$work" "$entries"
}

# Writes SHA256SUMS beside the archive $1, for `sha256sum -c SHA256SUMS` in that folder.
write_sha256sums() {
    (cd "$(dirname "$1")" && sha256sum -- "$(basename "$1")" >SHA256SUMS)
}

# Prints each file under the folder $1 that names a path in one of the folders after it, with
# the first string that does: its 8-bit and UTF-16 text, or a link's target. A folder counts
# only where a path starts, so the home /root is not found in /proc/self/root/.
paths_named_in() {
    local folder=$1 file found path pattern=""
    shift
    for path in "$@"; do
        path=${path%/}
        [ -n "$path" ] && pattern+="${pattern:+|}\\Q$path/\\E"
    done
    [ -n "$pattern" ] || return 0
    while IFS= read -r -d '' file; do
        found=$({ if [ -L "$file" ]; then readlink "$file"
                  else strings -a -e S "$file"; strings -a -e l "$file"; fi; } |
                LC_ALL=C grep -m 1 -P "(^|[^[:alnum:]._-])($pattern)" || true)
        [ -z "$found" ] || echo "${file#"$folder"/}: $found"
    done < <(find "$folder" \( -type f -o -type l \) -print0 | LC_ALL=C sort -z)
}

# What every build needs: compiler, CMake, Ninja, Qt 6 Widgets, GoogleTest, Google Benchmark,
# a font so the offscreen tests render text, and Liberation Sans, which keeps the window's
# metrics where Segoe UI is missing.
# shellcheck disable=SC2034 # for the scripts that source this one
BUILD_PACKAGES=(g++ cmake ninja-build qt6-base-dev qt6-base-dev-tools libgl-dev
                libgtest-dev libbenchmark-dev fonts-dejavu-core fonts-liberation2)

# What the tests need beyond the build: a private X display and D-Bus session with the
# accessibility bus, and the screen reader's side of it.
# shellcheck disable=SC2034 # for the scripts that source this one
TEST_PACKAGES=(xvfb xauth dbus at-spi2-core python3-pyatspi)
