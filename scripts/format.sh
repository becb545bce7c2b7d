#!/usr/bin/env bash
# Formats every C++ file of the project in place (the list comes from git:
# scripts/cxx-files.sh). Installs clang-format and git when run as root.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh clang-format git
list=$(bash scripts/cxx-files.sh)
mapfile -t sources <<<"$list"
clang-format -i "${sources[@]}"
