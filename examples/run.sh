#!/usr/bin/env bash
# The main job: turns the repository's sample picture into a print file for a model and paper
# and writes a PNG preview of what the printer would print.
#   bash examples/run.sh [MODEL] [PAPER_ID] [more options of lumeko_print_file]
# MODEL is a name such as VZ-310W (default) or a model number; PAPER_ID defaults to 16
# (62 mm continuous labels). Two-colour paper: bash examples/run.sh VZ-310W 38
# Writes out/sample.ppm, out/sample.prn and out/sample-preview.png.
set -euo pipefail
cd "$(dirname "$0")/.."

model=${1:-VZ-310W}
paper=${2:-16}
shift $(($# < 2 ? $# : 2))

packages=(cmake make g++ libpng-dev)
bash scripts/install-packages.sh "${packages[@]}"

cmake -S . -B build/main-job -DCMAKE_BUILD_TYPE=Release -DLUMEKO_TESTS=OFF -DLUMEKO_BENCH=OFF -DLUMEKO_BRIDGE=OFF \
  >/dev/null
cmake --build build/main-job --target lumeko_print_file lumeko_make_sample -j "$(nproc)"

mkdir -p out
build/main-job/examples/lumeko_make_sample out/sample.ppm
build/main-job/examples/lumeko_print_file out/sample.ppm "$model" "$paper" out/sample.prn \
  out/sample-preview.png "$@"
echo "wrote out/sample.prn and out/sample-preview.png"
