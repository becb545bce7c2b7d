#!/usr/bin/env bash
# Checks the formatting of every C++ file of the project (clang-format, .clang-format) without
# changing them. Fails when a file is not formatted or when there is no file to check (the
# list comes from git: scripts/cxx-files.sh). Installs clang-format and git when run as root.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh clang-format git
list=$(bash scripts/cxx-files.sh)
mapfile -t sources <<<"$list"
clang-format --dry-run --Werror "${sources[@]}"
echo "formatting checked: ${#sources[@]} C++ files"
