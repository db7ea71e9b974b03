#!/usr/bin/env bash
# Packs the current commit in two fresh clones and checks that the two archives are the same bytes.
# Usage: scripts/reproduce.sh [linux|windows|release|all]   (default all, which is the release:
# every file scripts/release.sh writes; uncommitted changes are left out)
# The second clone differs where two builders would: another path and depth, a later time,
# another umask, locale and time zone, and another file system where /dev/shm has one, since that
# decides the order a folder lists its files in. Both share the Qt for Windows in BANDIX_CACHE.
# No file in either archive may hold the home folder or a folder of the clones.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
source scripts/deps.sh
source scripts/packaging.sh
ensure_packages git binutils unzip >&2

case ${1:-all} in
    linux | windows | release) kinds=("$1") ;;
    all) kinds=(release) ;;
    *) echo "Usage: $0 [linux|windows|release|all]" >&2; exit 2 ;;
esac

commit=$(git rev-parse HEAD)
git diff --quiet HEAD || echo "Uncommitted changes are not in the clones of $commit" >&2
tmp=$(mktemp -d /tmp/bandix-reproduce.XXXXXX)
other=$tmp
trap 'rm -rf "$tmp" "$other"' EXIT
# A clone's builds take about 1 GiB.
if [ -w /dev/shm ] && [ "$(df --output=avail -k /dev/shm | tail -n 1)" -gt $((2 << 20)) ]; then
    other=$(mktemp -d /dev/shm/bandix-reproduce.XXXXXX)
fi
if [ "$(stat -f -c %T "$tmp")" = "$(stat -f -c %T "$other")" ]; then
    echo "Both clones are on $(stat -f -c %T "$tmp"): the order of listed files is not varied" >&2
fi
first=$tmp/a
second=$other/second/clone
for clone in "$first" "$second"; do
    git clone -q --no-checkout . "$clone"
    git -C "$clone" checkout -q --detach "$commit"
done

# Packs $1 (linux, windows or release) in the clone $2 under the umask $3, with the settings after
# it in the environment; the archive's or release folder's path goes to $packed. The progress is
# kept, and shown on failure.
pack() {
    local kind=$1 clone=$2 mask=$3 log="$2-$1.log" script began=$SECONDS
    shift 3
    case $kind in
        linux) script=package.sh ;;
        windows) script=windows-package.sh ;;
        release) script=release.sh ;;
    esac
    packed=$(umask "$mask" && env "$@" "$clone/scripts/$script" 2>"$log") ||
        { tail -n 30 "$log" >&2; echo "FAIL: packing $kind in $clone" >&2; exit 1; }
    echo "Packed $kind in $clone (umask $mask${*:+, }$*): $((SECONDS - began)) s"
}

# The archive's entries with their modes, owners, sizes and times, in the archive's order.
listing() {
    case $1 in
        *.zip) zipinfo -l "$1" | tail -n +2 ;;
        *) tar -tvzf "$1" ;;
    esac
}

# How two files differ: a text's first lines of diff; a binary's first differing byte, and
# the first of its strings that differ.
show_difference() {
    if grep -qI . "$1" && grep -qI . "$2"; then
        diff -u "$1" "$2" | sed -n '3,12s/^/      /p'
    else
        echo "      $(cmp -l "$1" "$2" 2>/dev/null | wc -l) bytes differ, the first at" \
            "$(cmp "$1" "$2" 2>&1 | grep -o 'byte [0-9]*'); sizes $(stat -c %s "$1" "$2" | paste -sd /)"
        diff <(strings -a -n 6 "$1") <(strings -a -n 6 "$2") | grep '^[<>]' | head -n 4 | sed 's/^/      /' || true
    fi
}

# Compares the archives $1 and $2: their sums, then, if they differ, the listings and every file.
# Both are also searched for the folders of this build. Fails on a difference or a find.
compare() (
    local a=$1 b=$2 sum_a sum_b file
    sum_a=$(sha256sum <"$a" | cut -d ' ' -f 1)
    sum_b=$(sha256sum <"$b" | cut -d ' ' -f 1)
    printf '  %s  %s\n' "$sum_a" "${a#"$tmp"/}" "$sum_b" "${b#"$other"/}"
    rm -rf "$tmp/unpacked"
    unpack_archive "$a" "$tmp/unpacked/1" && unpack_archive "$b" "$tmp/unpacked/2" && cd "$tmp/unpacked" || return
    for file in 1 2; do
        paths_named_in "$file" "$HOME" "${BANDIX_CACHE:-$HOME/.cache/bandix}" "$tmp" "$other" \
            "$first" "$second" | sed "s|^|archive $file: |" || return
    done >found
    if [ -s found ]; then
        echo "  Folders of this build named in the archive:"
        sed 's/^/    /' found
    fi
    if [ "$sum_a" = "$sum_b" ]; then
        [ ! -s found ]
        return
    fi

    if ! diff <(listing "$a") <(listing "$b") >listing.diff; then
        echo "  The listings differ$(cmp -s <(listing "$a" | sort) <(listing "$b" | sort) &&
            echo ' only in their order'):"
        sed -n '1,20s/^/    /p' listing.diff
    fi
    while IFS= read -r file; do
        if [ ! -f "1/$file" ]; then
            echo "  Only in the second: $file"
        elif [ ! -f "2/$file" ]; then
            echo "  Only in the first: $file"
        elif ! cmp -s "1/$file" "2/$file"; then
            echo "  Differs: $file"
            show_difference "1/$file" "2/$file"
        fi
    done < <(find 1 2 -type f -printf '%P\n' | LC_ALL=C sort -u)
    echo "  The archives first differ at $(cmp "$a" "$b" 2>&1 | grep -o 'byte [0-9]*')"
    return 1
)

# Compares the release folders $1 and $2 file by file: the built archives as above, the sources
# and SHA256SUMS by their bytes.
compare_release() {
    local file status=0
    while IFS= read -r file; do
        if [ ! -f "$1/$file" ] || [ ! -f "$2/$file" ]; then
            echo "  Only in one release: $file"
            status=1
        elif [[ "$file" == *-Linux.tar.gz || "$file" == *-win64.zip ]]; then
            echo "  $file:"
            compare "$1/$file" "$2/$file" || status=1
        elif cmp -s "$1/$file" "$2/$file"; then
            echo "  $(sha256sum <"$1/$file" | cut -d ' ' -f 1)  $file: the same"
        else
            echo "  Differs: $file"
            show_difference "$1/$file" "$2/$file"
            status=1
        fi
    done < <(find "$1" "$2" -type f -printf '%P\n' | LC_ALL=C sort -u)
    return "$status"
}

# The second build turns the group write bit of the caller's umask over.
mask=$(umask)
other_mask=$(printf '%04o' $((8#$mask ^ 8#0020)))
failed=()
for kind in "${kinds[@]}"; do
    began=$SECONDS
    pack "$kind" "$first" "$mask"
    archive_a=$packed
    # The package scripts set TZ themselves; another zone here proves they still do.
    pack "$kind" "$second" "$other_mask" TZ=XST-5:30 LC_ALL=C
    archive_b=$packed
    check=compare
    [ "$kind" = release ] && check=compare_release
    if "$check" "$archive_a" "$archive_b"; then
        echo "PASS: $kind archive reproduced ($((SECONDS - began)) s)"
    else
        echo "FAIL: $kind archive not reproduced ($((SECONDS - began)) s)"
        failed+=("$kind")
    fi
done
echo "Reproducing ${kinds[*]} took $((SECONDS - started)) s"
[ ${#failed[@]} -eq 0 ]
