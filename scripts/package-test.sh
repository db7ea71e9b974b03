#!/usr/bin/env bash
# Builds the portable archive, unpacks it outside the build tree and drives the unpacked program
# under Xvfb: it must load only the Qt it carries, and picking Danish must write Bandix.ini beside it.
# The archive must carry our licence and a notice for every library it copies, and the Qt source
# package a release passes on must unpack and match its .dsc.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
source scripts/deps.sh
source scripts/packaging.sh
source scripts/xvfb.sh
ensure_packages xvfb x11-utils xdotool desktop-file-utils binutils dpkg-dev python3

archive=$(scripts/package.sh)
work=$(mktemp -d /tmp/bandix-package.XXXXXX)
xvfb_pid=""
app_pid=""

cleanup() {
    if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "Package test: $*" >&2
    if [ -n "$xvfb_pid" ] && ! kill -0 "$xvfb_pid" 2>/dev/null; then
        echo "Xvfb had stopped: $(cat "$work/Xvfb.log")" >&2
    fi
    if [ -f "$work/Bandix.log" ]; then
        echo "--- end of the program's output:" >&2
        tail -n 20 "$work/Bandix.log" >&2
    fi
    echo "FAIL: package test ($((SECONDS - started)) s)"
    exit 1
}

tar -xzf "$archive" -C "$work"
folders=("$work"/*/)
[ ${#folders[@]} -eq 1 ] || fail "the archive should hold one folder, not ${#folders[@]}"
folder=${folders[0]%/}

for file in Bandix qt.conf bandix.desktop Bandix.png LICENSE THIRD-PARTY-NOTICES.txt \
    lib/libQt6Core.so.6 lib/libQt6Widgets.so.6 plugins/platforms/libqxcb.so \
    plugins/platforms/libqoffscreen.so plugins/imageformats/libqjpeg.so; do
    [ -e "$folder/$file" ] || fail "$file is missing from the archive"
done
[ -x "$folder/Bandix" ] || fail "Bandix is not executable"
[ ! -e "$folder/Bandix.ini" ] || fail "the archive ships a Bandix.ini"
# shellcheck disable=SC2016 # $ORIGIN is for the loader to expand, not the shell.
readelf -d "$folder/Bandix" | grep -qF 'Library rpath: [$ORIGIN/lib]' ||
    fail "Bandix does not look for its libraries in \$ORIGIN/lib alone"
desktop-file-validate "$folder/bandix.desktop" || fail "bandix.desktop is not a valid menu entry"
cmp -s LICENSE "$folder/LICENSE" || fail "the archive's LICENSE is not the repository's"
# Each library and plugin the archive copies, and the font compiled into Bandix, is Debian's:
# the notices must name its package.
while IFS= read -r file; do
    package=$(dpkg-query -S "$file" | cut -d: -f1)
    grep -qE "\(Debian packages .*\b$package\b" "$folder/THIRD-PARTY-NOTICES.txt" ||
        fail "THIRD-PARTY-NOTICES.txt has no notice of $package, which ${file##*/} comes from"
done < <(cd "$folder" && find lib -type f -printf '/usr/lib/x86_64-linux-gnu/%f\n' &&
         find plugins -type f -printf '/usr/lib/x86_64-linux-gnu/qt6/%p\n' &&
         echo /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf)
# A library without a copyright record stops the notices, naming it.
orphan="$work/libunknown.so"
: >"$orphan"
if refused=$(python3 scripts/notices.py linux "$work/notices.txt" "$orphan" 2>&1) ||
    ! grep -qF "$orphan" <<<"$refused" || [ -e "$work/notices.txt" ]; then
    fail "notices for a file of no Debian package were not refused naming it: $refused"
fi
# The Qt source package a release carries: every file its .dsc lists, unpacked by dpkg-source.
qt_source=$(scripts/qt-source.sh)
(cd "$qt_source" && dsc_files_match qt6-base_*.dsc) || fail "the Qt source package does not match its .dsc"
dpkg-source -x "$qt_source"/qt6-base_*.dsc "$work/qt6-base" >"$work/dpkg-source.log" 2>&1 ||
    fail "the Qt source package does not unpack: $(tail -n 3 "$work/dpkg-source.log")"
rm -rf "$work/qt6-base"
built_here=$(paths_named_in "$folder" "$PWD" "$HOME")
[ -z "$built_here" ] || fail "shipped files hold paths of the machine that built them: $built_here"

start_xvfb "$work" || fail "no X display to test on"

# Nothing from the calling shell: no QT_PLUGIN_PATH, LD_LIBRARY_PATH or QT_QPA_PLATFORM.
env -i PATH=/usr/bin:/bin DISPLAY="$DISPLAY" HOME="$work" QT_DEBUG_PLUGINS=1 \
    "$folder/Bandix" >"$work/Bandix.log" 2>&1 &
app_pid=$!

window=""
for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --name "Calculate Color on Resistor" 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    kill -0 "$app_pid" 2>/dev/null || fail "Bandix exited before showing its window"
    sleep 0.05
done
[ -n "$window" ] || fail "no window titled \"Calculate Color on Resistor\" within 10 s"

# Every Qt and ICU library and every plugin in the process must come from the unpacked folder.
mapped=$(awk '$6 ~ /\/(libQt6|libicu)[^\/]*$|\/plugins\// { print $6 }' "/proc/$app_pid/maps" | sort -u)
grep -qF "$folder/lib/libQt6Widgets.so" <<<"$mapped" || fail "libQt6Widgets was not loaded from the folder"
grep -qxF "$folder/plugins/platforms/libqxcb.so" <<<"$mapped" || fail "libqxcb was not loaded from the folder"
foreign=$(grep -vF "$folder/" <<<"$mapped" || true)
[ -z "$foreign" ] || fail "loaded from outside the folder: $foreign"
outside=$(grep -E 'qt\.core\.library: "/.*" loaded library' "$work/Bandix.log" | grep -vF "\"$folder/" || true)
[ -z "$outside" ] || fail "Qt loaded a plugin from outside the folder: $outside"

# No window manager runs under Xvfb, so the click goes to client coordinates: the language group
# sits at (256, 8), 161 wide, with English and Danish in two columns on its row at y + 34.
xdotool mousemove --window "$window" $((256 + 161 * 3 / 4)) $((8 + 34)) click 1

ini="$folder/Bandix.ini"
for _ in $(seq 100); do
    [ -f "$ini" ] && grep -qx 'Used=2' "$ini" && break
    sleep 0.05
done
[ -f "$ini" ] || fail "picking Danish wrote no Bandix.ini beside the program"
{ grep -qx '\[Language\]' "$ini" && grep -qx 'Used=2' "$ini"; } ||
    fail "Bandix.ini does not hold Used=2 under [Language]: $(cat "$ini")"

kill "$app_pid"
wait "$app_pid" 2>/dev/null || true
app_pid=""

echo "Archive: $archive ($(du -h "$archive" | cut -f1)), unpacked $(du -sh "$folder" | cut -f1)"
echo "PASS: package test ($((SECONDS - started)) s)"
