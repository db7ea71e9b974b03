#!/usr/bin/env bash
# Smoke test of the Windows ZIP as a user meets it: one folder holding Bandix.exe, which imports
# only DLLs of Windows itself, with its licence and the notices of everything linked into it,
# unpacked into a fresh folder and started under Wine on Xvfb with Qt's windows platform. The window must show painted band lists, a focused one
# in its own colour, and the picture, picking Danish must write Bandix.ini beside Bandix.exe, a
# restart must open in Danish, and a folder that refuses writes must bring up the error box
# naming the file's Windows path.
# Screenshots are kept in build/windows-package-test/.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
source scripts/windows-env.sh
source scripts/packaging.sh
source scripts/xvfb.sh
ensure_packages xvfb x11-utils xdotool imagemagick xclip unzip e2fsprogs >&2

windows_prepare >&2
archive=$(scripts/windows-package.sh)
shots="$PWD/build/windows-package-test"
rm -rf "$shots"
mkdir -p "$shots"
wine_prepare "$PWD/build/windows-mingw/wineprefix"
work=$(mktemp -d /tmp/bandix-windows.XXXXXX)
xvfb_pid=""
app_pid=""

stop_app() {
    if [ -n "$app_pid" ]; then
        kill "$app_pid" 2>/dev/null || true
        wait "$app_pid" 2>/dev/null || true
        app_pid=""
    fi
    "$WINESERVER" -k 2>/dev/null || true
}
cleanup() {
    chattr -R -i "$work" 2>/dev/null || true
    stop_app
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "Windows package test: $*" >&2
    if [ -f "$work/Bandix.log" ]; then
        echo "--- end of the program's output:" >&2
        tail -n 20 "$work/Bandix.log" >&2
    fi
    echo "FAIL: Windows package test ($((SECONDS - started)) s)"
    exit 1
}

unzip -q "$archive" -d "$work"
folders=("$work"/*/)
[ ${#folders[@]} -eq 1 ] || fail "the ZIP should hold one folder, not ${#folders[@]}"
folder=${folders[0]%/}

# Exactly the program, its licence and the notices.
expected="Bandix.exe LICENSE THIRD-PARTY-NOTICES.txt"
actual=$(cd "$folder" && find . -mindepth 1 | sed 's|^\./||' | sort | paste -sd ' ')
[ "$actual" = "$expected" ] || fail "the folder should hold exactly: $expected; it holds: $actual"
cmp -s LICENSE "$folder/LICENSE" || fail "the ZIP's LICENSE is not the repository's"

# Every import is a DLL that Windows itself provides (Wine's system32): no Qt, no MinGW runtime.
system32="$WINEPREFIX/drive_c/windows/system32"
while IFS= read -r dll; do
    [[ "${dll,,}" == api-ms-win-* ]] && continue
    [[ "${dll,,}" =~ ^(qt6|lib(stdc|gcc|winpthread)) ]] && fail "Bandix.exe imports $dll, which is not part of Windows"
    [ -n "$(find "$system32" -maxdepth 1 -iname "$dll" -print -quit)" ] ||
        fail "Bandix.exe imports $dll, which is not a DLL of Windows"
done < <(x86_64-w64-mingw32-objdump -p "$folder/Bandix.exe" | awk '/DLL Name:/ { print $3 }')
x86_64-w64-mingw32-objdump -h "$folder/Bandix.exe" | grep -q '\.debug_' && fail "Bandix.exe is not stripped"

# A notice for Qt, for each library bundled into it that the linker took, and for the MinGW
# runtime; and the sentences the JPEG and FreeType licences ask for.
notices="$folder/THIRD-PARTY-NOTICES.txt"
map=build/windows-mingw/bin/Bandix.map
components=$(grep -o 'libQt6Bundled[A-Za-z0-9]*\.a' "$map" | sort -u | sed 's/^libQt6Bundled//; s/\.a$//; s/^Lib//')
[ -n "$components" ] || fail "the linker map names no library bundled into Qt"
for component in Qt $components mingw-w64 gcc-mingw-w64 "Independent JPEG Group" "The FreeType Project"; do
    grep -qiF -- "$component" "$notices" || fail "THIRD-PARTY-NOTICES.txt has no notice of $component"
done
# Packaging refuses to go on without a component's licence text, naming the component: the
# same link, its Qt records copied aside with libjpeg's licence taken out.
records=$(mktemp -d)
cp -r "$BANDIX_WINDOWS_QT/records" "$records/"
rm "$records/records/attributions/src/3rdparty/libjpeg/LICENSE"
sed "s|$BANDIX_WINDOWS_QT/|$records/|g" "$map" >"$records/Bandix.map"
if refused=$(python3 scripts/notices.py windows "$records/records" "$records/Bandix.map" "$records/notices.txt" 2>&1) ||
    ! grep -q "LibJPEG.*LICENSE" <<<"$refused" || [ -e "$records/notices.txt" ]; then
    fail "notices without libjpeg's licence file were not refused naming it: $refused"
fi
rm -rf "$records"
built_here=$(paths_named_in "$folder" "$PWD" "$windows_cache" "$HOME")
[ -z "$built_here" ] || fail "shipped files hold paths of the machine that built them: $built_here"

start_xvfb "$work" || fail "no X display to test on"

title="Calculate Color on Resistor"
window=""
# Starts the unpacked program with nothing from this build on Wine's DLL search path.
start_app() {
    env -u WINEPATH "$WINELOADER" "$folder/Bandix.exe" >"$work/Bandix.log" 2>&1 &
    app_pid=$!
    window=""
    for _ in $(seq 300); do
        window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1) || true
        [ -n "$window" ] && break
        kill -0 "$app_pid" 2>/dev/null || fail "Bandix.exe exited before showing its window"
        sleep 0.1
    done
    [ -n "$window" ] || fail "no window titled \"$title\" within 30 s"
    sleep 1
}
# Saves the window's client area as build/windows-package-test/$1.png.
shoot() {
    import -window "$window" "$shots/$1.png" || fail "cannot take the screenshot $1"
}
# The colour of the pixel at (x, y) of a screenshot, as "r,g,b".
pixel() {
    convert "$shots/$1.png" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}
# How many pixels of a region (WxH+X+Y) are near the colour "r,g,b".
count_near() {
    convert "$shots/$1.png" -crop "$2" +repage -fill black -fuzz 20% +opaque "rgb($3)" \
        -fill white -opaque "rgb($3)" -format '%[fx:int(mean*w*h)]' info:
}
# Clicks a point of the window's client area.
click() {
    xdotool mousemove --window "$window" "$1" "$2" click 1
}

start_app
shoot english
# Band1 sits at (8, 88), 145 × 22: black fill, its item's name in white.
[ "$(count_near english 120x18+10+90 0,0,0)" -gt 1500 ] || fail "Band1 is not painted black"
[ "$(count_near english 60x18+10+90 255,255,255)" -gt 20 ] || fail "Band1 shows no white text"
# The picture at (312, 57): the first red band and the cream body, as the picture has them.
reference=resources/resistor.jpg
picture_error=$(convert "$shots/english.png" -crop 96x329+312+57 +repage "$reference" \
    -metric RMSE -format '%[distortion]' -compare info: 2>/dev/null) || true
awk -v e="${picture_error:-1}" 'BEGIN { exit !(e < 0.05) }' ||
    fail "the resistor picture is not shown at (312, 57) (difference $picture_error)"

# Focused (a click on the empty bottom, then Tab), Band1 keeps its black exactly: the focus
# shows only as the dotted frame on the item's edge.
click 200 430
xdotool key Tab
sleep 0.5
shoot focused
[ "$(pixel focused 80 99)" = 0,0,0 ] || fail "the focused Band1 is $(pixel focused 80 99), not black"

# The language group at (256, 8), 161 wide: English and Danish in two columns on its row at y + 34.
click $((256 + 161 * 3 / 4)) $((8 + 34))
ini="$folder/Bandix.ini"
for _ in $(seq 100); do
    [ -f "$ini" ] && tr -d '\r' <"$ini" | grep -qx 'Used=2' && break
    sleep 0.1
done
[ -f "$ini" ] || fail "picking Danish wrote no Bandix.ini beside Bandix.exe"
{ tr -d '\r' <"$ini" | grep -qx '\[Language\]' && tr -d '\r' <"$ini" | grep -qx 'Used=2'; } ||
    fail "Bandix.ini does not hold Used=2 under [Language]: $(cat "$ini")"
sleep 0.5
shoot danish
stop_app

# The captions beside the lists, from "First Band" down to "Temperature Coefficient".
captions=150x260+157+88
start_app
shoot danish-restart
same_as() {
    convert \( "$shots/$1.png" -crop "$captions" +repage \) \
        \( "$shots/$2.png" -crop "$captions" +repage \) \
        -metric AE -compare -format '%[distortion]' info: 2>/dev/null || true
}
[ "$(same_as danish-restart english)" != 0 ] || fail "the restarted window still reads English"
[ "$(same_as danish-restart danish)" = 0 ] || fail "the restarted window does not read Danish"

# A folder that refuses writes, from outside: picking English must fail with the error box.
chattr +i "$folder" "$ini" || fail "chattr +i is not available on $work"
click $((256 + 161 / 4)) $((8 + 34))
box=""
for _ in $(seq 100); do
    box=$(xdotool search --onlyvisible --name '^Bandix$' 2>/dev/null | head -n 1) || true
    [ -n "$box" ] && break
    sleep 0.1
done
[ -n "$box" ] || fail "no error box titled \"Bandix\" after a refused write"
sleep 0.5
import -window "$box" "$shots/error-box.png" || true
# A Windows message box copies its title and text with Ctrl+C; Wine hands that to X's clipboard.
xdotool windowactivate --sync "$box" 2>/dev/null || true
xdotool key --window "$box" ctrl+c
sleep 0.5
copied=$(xclip -selection clipboard -o 2>/dev/null | tr -d '\r') || true
expected_text="Unable to write to $(winepath_of "$ini")."
grep -qxF "$expected_text" <<<"$copied" ||
    fail "the error box should read \"$expected_text\"; it copied: $copied"
xdotool key --window "$box" Return
[ "$(tr -d '\r' <"$ini" | grep -x 'Used=.*')" = "Used=2" ] || fail "the refused write changed Bandix.ini"
stop_app

echo "ZIP: $archive ($(du -h "$archive" | cut -f1)), unpacked $(du -sh "$folder" | cut -f1)"
echo "Screenshots: $shots"
echo "PASS: Windows package test ($((SECONDS - started)) s)"
