#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the run command and the package and its
# checks (./build.sh deb) need.
# Idempotent: installs only what is missing; uses sudo only when not root.
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev libqt6printsupport6 libgtest-dev libgmock-dev
          qt6-qpa-plugins qt6-translations-l10n fonts-liberation2 xvfb xauth libpugixml-dev clang
          libclang-rt-14-dev
          dpkg-dev lintian desktop-file-utils shared-mime-info xdg-utils libfile-mimeinfo-perl)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
