#!/usr/bin/env bash
# Lists the project's C++ files, one a line: those git tracks and the new ones it does not
# ignore. Fails with the reason when git cannot list them (git missing, or the tree is not a
# git checkout) or lists none, so that no check passes on an empty list.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v git >/dev/null; then
  echo "cannot list the C++ files: git is not installed" >&2
  exit 1
fi
if ! files=$(git ls-files -co --exclude-standard -- 'src/*.h' 'src/*.cpp' 'tests/*.h' \
  'tests/*.cpp' 'bench/*.h' 'bench/*.cpp' 'fuzz/*.h' 'fuzz/*.cpp' 'examples/*.h' \
  'examples/*.cpp'); then
  echo "cannot list the C++ files: git ls-files failed in $PWD (not a git checkout?)" >&2
  exit 1
fi
if [ -z "$files" ]; then
  echo "cannot list the C++ files: git lists none in $PWD (not this project's checkout?)" >&2
  exit 1
fi
printf '%s\n' "$files"
