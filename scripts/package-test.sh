#!/usr/bin/env bash
# Makes the Debian package and checks it as a user's machine would meet it: installs it with apt, runs the
# installed editor (--version, a headless screenshot), validates its desktop entry and metainfo, starts it
# from the desktop entry's Exec line with a picture on a virtual display, hands it a second picture as a
# second start would, ends it, and removes the package. Run as root on Debian 12; it installs and removes
# the package "pictovance". Builds into build/ (or PICTOVANCE_BUILD_DIR) as build.sh does.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PICTOVANCE_BUILD_DIR:-$root/build}"
started=$SECONDS

step() { printf '\n== %s\n' "$*"; }
fail() { printf 'package-test: FAILED: %s\n' "$*" >&2; exit 1; }

[[ $(id -u) -eq 0 ]] || fail "run as root: the package is installed and removed with apt-get"
"$root/scripts/install-deps.sh" --package

step "Building and packaging"
"$root/scripts/build.sh" --target pictovance desktop_icons
rm -f "$build"/pictovance_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/pictovance_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "cpack made no single pictovance_*.deb"
deb=${debs[0]}
dpkg-deb -I "$deb" | grep -E '^ (Package|Version|Architecture|Depends|Installed-Size):'

work=$(mktemp -d /tmp/pictovance-package-test-XXXXXX)

cleanup() {

    if dpkg-query -W -f='${Status}' pictovance 2>/dev/null | grep -q 'install ok installed'; then
        DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq pictovance >/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

step "Installing with apt"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
[[ $(command -v pictovance) == /usr/bin/pictovance ]] || fail "pictovance is not on the PATH as /usr/bin/pictovance"

# The user's folders, away from root's own.
export HOME=$work/home XDG_DATA_HOME=$work/home/.local/share XDG_CONFIG_HOME=$work/home/.config
export XDG_CACHE_HOME=$work/home/.cache XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
user_data="$XDG_DATA_HOME/Quorix/Pictovance Dazazizu"

step "Running the installed program"
version=$(pictovance --version)
echo "$version"
[[ $version == "Quorix Pictovance Dazazizu "* ]] || fail "unexpected --version: $version"
QT_QPA_PLATFORM=offscreen pictovance --screenshot "$work/shot.png" --size 1024x700
file "$work/shot.png" | grep -q 'PNG image data, 1024 x 700' || fail "--screenshot wrote no 1024 x 700 PNG"

step "Checking the desktop integration"
entry=/usr/share/applications/com.quorix.pictovance.desktop
desktop-file-validate "$entry"
appstreamcli validate --no-net /usr/share/metainfo/com.quorix.pictovance.metainfo.xml
for size in 16 24 32 48 64 128 256; do
    icon=/usr/share/icons/hicolor/${size}x${size}/apps/com.quorix.pictovance.png
    file "$icon" | grep -q "PNG image data, $size x $size" || fail "no $size px icon at $icon"
done
[[ -f /usr/share/icons/hicolor/scalable/apps/com.quorix.pictovance.svg ]] || fail "no scalable icon"
grep -q '^MimeType=.*image/jpeg;' "$entry" || fail "the desktop entry does not offer to open JPEG pictures"

step "Starting from the desktop entry with a picture, then a second start with another"
# Two small pictures in a folder whose name has a blank, as file managers hand them over.
mkdir -p "$work/My Pictures"
for name in first second; do
    { printf 'P6\n64 48\n255\n'; head -c $((64 * 48 * 3)) /dev/urandom; } >"$work/My Pictures/$name.ppm"
done
first="$work/My Pictures/first.ppm"
second="$work/My Pictures/second.ppm"
# The Exec line with its field codes expanded as a launcher would for one file.
exec_line=$(sed -n 's/^Exec=//p' "$entry")
read -r -a command <<<"$exec_line"
launch=()
for word in "${command[@]}"; do
    case "$word" in
    %F | %f | %U | %u) launch+=("$first") ;;
    %i | %c | %k) ;;
    *) launch+=("$word") ;;
    esac
done
echo "Exec=$exec_line -> ${launch[*]}"

xvfb-run -a -s "-screen 0 1280x800x24" bash -s -- "$second" "$user_data" "${launch[@]}" <<'SESSION'
set -euo pipefail
second=$1 user_data=$2
shift 2
"$@" &
editor=$!
# Started once it has written its language file (after taking the single-instance lock).
for _ in $(seq 1 120); do
    [[ -f "$user_data/Data/EnglishLang_src" ]] && break
    kill -0 "$editor" 2>/dev/null || { echo "the editor ended at its start" >&2; exit 1; }
    sleep 0.25
done
# A second start hands its picture over once the running editor answers; before that it says so and ends.
handed=no
for _ in $(seq 1 40); do
    if timeout 30 pictovance "$second" 2>/dev/null; then handed=yes; break; fi
    kill -0 "$editor" 2>/dev/null || { echo "the editor ended before it answered" >&2; exit 1; }
    sleep 0.5
done
[[ $handed == yes ]] || { echo "the running editor never took the second picture" >&2; kill "$editor"; exit 1; }
sleep 2 # the handed-over picture is imported in the background
# Asked to end as at logout: it ends as its Close button ends it, keeping the photo list.
kill -TERM "$editor"
wait "$editor" || { echo "the editor ended with status $?" >&2; exit 1; }
SESSION

store="$user_data/Data/ZorvathMedia"
[[ -f $store ]] || fail "no photo list was kept in $user_data/Data"
grep -q -a -F "$first" "$store" || fail "the picture from the Exec line is not in the photo list"
grep -q -a -F "$second" "$store" || fail "the second start's picture is not in the photo list"
[[ -f "$user_data/Data/photoframes" ]] || fail "the starter library was not imported into $user_data/Data"
[[ ! -e /usr/bin/Data && ! -e /usr/share/pictovance/Data ]] || fail "the installed program wrote beside itself"

step "Removing"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq pictovance >/dev/null
[[ ! -e /usr/bin/pictovance && ! -e /usr/share/pictovance && ! -e $entry ]] || fail "files were left behind"

printf '\npackage-test: passed in %d s\n' $((SECONDS - started))
