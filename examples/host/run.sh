#!/usr/bin/env bash
# The main job, as a host application sees it: builds liblumeko.so and the host jar, installs
# them into a prefix, builds the host example (examples/host/HostExample.java) against the
# installed files and runs it. It installs the Debian packages it needs when run as root.
#   bash examples/host/run.sh [-B BUILD_DIR] [-p PREFIX]
#   -B BUILD_DIR  an already configured build tree of the library to use (default: configure
#                 and build build/host-example, optimised, without the tests)
#   -p PREFIX     where to install (default: BUILD_DIR/prefix)
# Writes BUILD_DIR/host-example/{job.prn,printer-preview.png,file-preview.png}; fails unless
# both jobs report success (1) and the two previews are identical.
set -euo pipefail
cd "$(dirname "$0")/../.."

build=
prefix=
while getopts "B:p:" opt; do
  case $opt in
    B) build=$OPTARG ;;
    p) prefix=$OPTARG ;;
    *) sed -n '2,10p' "$0" >&2; exit 2 ;;
  esac
done

packages=(cmake make g++ default-jdk-headless libpng-dev)
bash scripts/install-packages.sh "${packages[@]}"

if [ -z "$build" ]; then
  build=build/host-example
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DLUMEKO_TESTS=OFF -DLUMEKO_BENCH=OFF \
    >/dev/null
fi
prefix=${prefix:-$build/prefix}
cmake --build "$build" --target lumeko lumeko_sdk lumeko_stream_picture -j "$(nproc)"
cmake --install "$build" --prefix "$prefix"

out=$build/host-example
cmake -S examples/host -B "$build/host-build" -DCMAKE_PREFIX_PATH="$(realpath "$prefix")" \
  -DLUMEKO_STREAM_PICTURE="$(realpath "$build/lumeko_stream_picture")" \
  -DHOST_EXAMPLE_OUT="$(realpath -m "$out")" >/dev/null
cmake --build "$build/host-build" --target run_host_example | tee "$build/host-example.log"
for line in "printer status code: 1" "print file status code: 1" "previews identical: true"; do
  if ! grep -qx "$line" "$build/host-example.log"; then
    echo "the host example did not print \"$line\"" >&2
    exit 1
  fi
done
