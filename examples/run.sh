#!/usr/bin/env bash
# Print files without a host: generates a sample picture (out/sample.ppm: a frame, a grey ramp,
# black shapes, thin lines and a red block) and turns it into a print file for a model and
# paper, with a PNG preview of what the printer would print. Installs the Debian packages it
# needs when run as root.
#   bash examples/run.sh [MODEL] [PAPER_ID] [more options of lumeko_print_file]
# MODEL is a name such as VZ-310W (default) or a model number; PAPER_ID, a number from 0 to
# 65535, defaults to 16 (62 mm continuous labels). An unknown model lists the models the
# library knows, a paper id the model has not lists the model's paper ids, and a job that
# ends with error code 39 is explained from these inputs (copies, picture and paper sizes).
# Two-colour paper: bash examples/run.sh VZ-310W 38
# Writes out/sample.ppm, out/sample.prn and out/sample-preview.png, after removing those of an
# earlier run.
set -euo pipefail
cd "$(dirname "$0")/.."

model=${1:-VZ-310W}
paper=${2:-16}
shift $(($# < 2 ? $# : 2))

packages=(cmake make g++ libpng-dev)
bash scripts/install-packages.sh "${packages[@]}"

build=build/print-file-example
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DLUMEKO_TESTS=OFF -DLUMEKO_BENCH=OFF \
  -DLUMEKO_BRIDGE=OFF >/dev/null
cmake --build "$build" --target lumeko_print_file lumeko_make_sample -j "$(nproc)"

mkdir -p out
rm -f out/sample.ppm out/sample.prn out/sample-preview.png
"$build/examples/lumeko_make_sample" out/sample.ppm
"$build/examples/lumeko_print_file" out/sample.ppm "$model" "$paper" out/sample.prn \
  out/sample-preview.png "$@"
