#!/usr/bin/env bash
# Runs our imaging benchmark and the Python peers (Pillow, OpenCV) on the same 1600 x 1200 photos and
# prints the ratios. Usage: bench/imaging/compare_peers.sh [BUILD_DIR]  (default: build/)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${1:-${PICTOVANCE_BUILD_DIR:-$here/../../build}}"
python=/usr/bin/python3
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$python" "$here/make_photos.py" "$work/photos" 4
PICTOVANCE_BENCH_PHOTOS="$work/photos" QT_QPA_PLATFORM=offscreen "$build/bench/imaging_bench" \
    --benchmark_filter='BM_MakeThumbnailJpeg|BM_Filter/(Soften|Median|Gaussian5)$' \
    --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=json --benchmark_out="$work/ours.json" --benchmark_out_format=json >/dev/null
# Keep the medians of our repetitions under the plain benchmark names.
"$python" - "$work/ours.json" <<'PY'
import json, sys
data = json.load(open(sys.argv[1]))
data["benchmarks"] = [dict(b, name=b["run_name"]) for b in data["benchmarks"] if b.get("aggregate_name") == "median"]
json.dump(data, open(sys.argv[1], "w"))
PY
"$python" "$here/compare_peers.py" "$work/photos" "$work/ours.json"
