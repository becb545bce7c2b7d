#!/usr/bin/env bash
# Installs those of the named Debian packages that are missing. Installing needs root;
# without it, a missing package is an error that names them.
#   bash scripts/install-packages.sh PACKAGE...
set -euo pipefail

missing=()
for p in "$@"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ "${#missing[@]}" -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "missing Debian packages: ${missing[*]} (run as root to install them)" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update </dev/null
apt-get install -y --no-install-recommends "${missing[@]}" </dev/null
