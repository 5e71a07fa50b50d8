#!/usr/bin/env bash
# Installs the Debian packages listed in scripts/packages.txt; with --peers also the tools the imaging
# benchmark compares against, with --fuzz the compiler and runtime of the fuzzers, with --package the
# tools that make and check the Debian package. Quick when everything is already there.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
mapfile -t wanted < <(grep -v -E '^\s*(#|$)' "$here/packages.txt")
for option in "$@"; do
    case "$option" in
    --peers) wanted+=(python3-pil python3-opencv) ;;
    --fuzz) wanted+=(clang-14 libclang-rt-14-dev libfuzzer-14-dev) ;;
    --package) wanted+=(dpkg-dev file desktop-file-utils appstream) ;;
    *) echo "install-deps.sh: unknown option $option" >&2; exit 2 ;;
    esac
done

missing=()
for package in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "Run as root or install sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
