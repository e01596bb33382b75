#!/usr/bin/env bash
# Installs the Debian packages Ostrevia needs to build, test and run.
# Idempotent: asks dpkg first and touches apt only for what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-webengine-dev libqt6webenginecore6-bin
  libxml2-dev libxslt1-dev zlib1g-dev
  libcups2-dev qt6-translations-l10n
  libgtest-dev libgmock-dev
  fonts-liberation2 fonts-dejavu-core
  xdg-utils xsltproc poppler-utils python3
  # desktop integration: the install test validates the entry and compiles the message types
  desktop-file-utils shared-mime-info libxml2-utils libglib2.0-bin
  # screenshots of the windows on a virtual display
  xvfb xauth imagemagick xdotool
  # reference libraries of the JSON benchmarks
  libsimdjson-dev nlohmann-json3-dev
  # the batch render tool's allocator: libxml2's many small blocks
  libmimalloc-dev
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "setup: installing ${missing[*]}" >&2
if [[ $(id -u) -ne 0 ]]; then
  sudo=sudo
else
  sudo=
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q </dev/null
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
