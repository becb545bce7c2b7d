#!/usr/bin/env bash
# Formats every C++ file of the project in place.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -co --exclude-standard -- 'src/*.h' 'src/*.cpp' 'tests/*.h' 'tests/*.cpp' \
  'bench/*.h' 'bench/*.cpp' 'fuzz/*.h' 'fuzz/*.cpp' 'examples/*.h' 'examples/*.cpp' |
  xargs -r clang-format -i
