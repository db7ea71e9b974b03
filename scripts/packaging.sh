# Sourced by the package scripts, their tests and scripts/reproduce.sh: what makes an archive the
# same bytes on every builder, its checksum file, and the search for build paths in what ships.
# shellcheck shell=bash

# Packs the same commit into the same bytes: archive entries, PE time stamps (which strip
# rewrites) and ZIP times (kept in local time) all take the commit's time, in UTC.
reproducible_packaging() {
    SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 0)}
    export SOURCE_DATE_EPOCH TZ=UTC
}

# Unpacks the archive $1 (.tar.gz or .zip) into the folder $2, creating it.
unpack_archive() {
    mkdir -p "$2"
    case $1 in
        *.zip) unzip -q "$1" -d "$2" ;;
        *) tar -xzf "$1" -C "$2" ;;
    esac
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
    unpack_archive "$archive" "$work"
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

# Prints each file under the folder $1 that names one of the folders after it, with the first
# string that does: its 8-bit and UTF-16 text, or a link's target. A folder counts where a path
# starts and ends, so the home /root is not found in /proc/self/root/ nor in /root_of_tree.
paths_named_in() {
    local folder=$1 file found path pattern="" status
    shift
    for path in "$@"; do
        path=${path%/}
        [ -n "$path" ] && pattern+="${pattern:+|}\\Q$path\\E"
    done
    [ -n "$pattern" ] || return 0
    pattern="(^|[^[:alnum:]._-])($pattern)(/|\$|[^[:alnum:]._-])"
    while IFS= read -r -d '' file; do
        [ -L "$file" ] || [ -r "$file" ] || { echo "cannot read $file" >&2; return 2; }
        # All of grep's output, not its first match alone: stopping early would cut off strings.
        status=0
        found=$({ if [ -L "$file" ]; then readlink "$file"
                  else strings -a -e S "$file" && strings -a -e l "$file"; fi; } |
                LC_ALL=C grep -P "$pattern") || status=$?
        # grep finds nothing with 1; anything above is a failed search, not a clean file.
        [ "$status" -le 1 ] || { echo "cannot search $file for build paths" >&2; return 2; }
        [ -z "$found" ] || echo "${file#"$folder"/}: ${found%%$'\n'*}"
    done < <(find "$folder" \( -type f -o -type l \) -print0 | LC_ALL=C sort -z)
}

# The files the Debian source control file $1 lists, as "SHA-256  name" lines.
dsc_files() {
    awk '/^Checksums-Sha256:/ { on = 1; next } /^[^ ]/ { on = 0 } on { print $1 "  " $3 }' "$1"
}

# Checks, in the current folder, every file the Debian source control file $1 lists against the
# SHA-256 sum it gives; sha256sum names the file that differs.
dsc_files_match() {
    local listed
    listed=$(dsc_files "$1")
    [ -n "$listed" ] || { echo "$1 lists no files" >&2; return 1; }
    sha256sum --quiet -c <<<"$listed" || { echo "the files beside $1 do not match it" >&2; return 1; }
}
