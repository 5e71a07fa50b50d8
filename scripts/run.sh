#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" --target pictovance
build="${PICTOVANCE_BUILD_DIR:-$root/build}"
if [[ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]]; then
    echo "No display found (DISPLAY and WAYLAND_DISPLAY are not set)." >&2
    echo "Run this from a desktop session, or without one under a virtual display:" >&2
    echo "  xvfb-run -a $build/pictovance" >&2
    exit 1
fi
exec "$build/pictovance" "$@"
