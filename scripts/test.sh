#!/usr/bin/env bash
# Installs what the build needs, then builds and tests the library twice
# (g++ and clang++, both with sanitizers and warnings as errors) and checks
# the formatting. Stops at the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake make g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev clang-format
  libbenchmark-dev default-jdk-headless openjdk-17-jdk-headless junit5 netpbm libtiff-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update </dev/null
  apt-get install -y --no-install-recommends "${missing[@]}" </dev/null
fi

jobs=$(nproc)
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

build_and_test() {
  local dir=$1 cxx=$2 cc=$3
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DCMAKE_C_FLAGS_DEBUG="-g -O1" \
    -DLUMEKO_SANITIZE=ON -DLUMEKO_WERROR=ON
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure --no-tests=error -j "$jobs"
}

build_and_test build/asan g++ gcc
build_and_test build/clang clang++ clang

# A cancel from a second host thread (print-end wait, asynchronous send), and settings
# calls of two host threads with two printers, under ThreadSanitizer.
cmake -S . -B build/fuzz-tsan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" \
  -DCMAKE_C_FLAGS="-fsanitize=thread" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" \
  -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=thread" -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
  -DLUMEKO_WERROR=ON -DLUMEKO_BENCH=OFF
cmake --build build/fuzz-tsan --target test_raster test_connection test_settings -j "$jobs"
TSAN_OPTIONS=halt_on_error=1 build/fuzz-tsan/tests/test_raster \
  --gtest_filter='CancelThreadTest.*:RasterPrintFailureTest.Cancel*'
TSAN_OPTIONS=halt_on_error=1 build/fuzz-tsan/tests/test_connection --gtest_filter='*Cancel*'
TSAN_OPTIONS=halt_on_error=1 build/fuzz-tsan/tests/test_settings --gtest_filter='SettingsThreadTest.*'

# The fuzz targets (clang, libFuzzer), built in build/fuzz and run 30 s each.
fuzz/run-all -B build/fuzz -t 30 -j 2

mapfile -t sources < <(git ls-files -co --exclude-standard -- \
  'src/*.h' 'src/*.cpp' 'tests/*.h' 'tests/*.cpp' 'bench/*.h' 'bench/*.cpp' \
  'fuzz/*.h' 'fuzz/*.cpp' 'examples/*.h' 'examples/*.cpp')
if [ "${#sources[@]}" -gt 0 ]; then
  clang-format --dry-run --Werror "${sources[@]}"
fi
echo "all checks passed"
