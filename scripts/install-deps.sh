#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail
# desktop-file-utils, shared-mime-info and groff-base check the installed desktop entry, MIME
# types and man pages; clang-format checks the layout of the sources.
pkgs=(cmake g++ make ninja-build pkg-config qt6-base-dev qt6-svg-dev libgl-dev libgtest-dev libgmock-dev
      libbenchmark-dev libgif-dev libpng-dev zlib1g-dev clang libclang-rt-dev clang-format xvfb xdotool
      imagemagick fonts-dejavu-core desktop-file-utils shared-mime-info groff-base)
# Peer tools for the interchange tests; those tests skip when a tool is missing, so a failed
# install of these must not stop the build.
optional=(gdal-bin)
missing() {
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}
mapfile -t need < <(missing "${pkgs[@]}")
mapfile -t want < <(missing "${optional[@]}")
[ ${#need[@]} -eq 0 ] && [ ${#want[@]} -eq 0 ] && exit 0
SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
$SUDO apt-get update -q || [ ${#need[@]} -eq 0 ]
if [ ${#need[@]} -gt 0 ]; then
  echo "installing: ${need[*]}"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${need[@]}"
fi
for p in "${want[@]}"; do
  echo "installing (optional): $p"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "$p" || echo "optional package $p not installed; its tests will skip"
done
