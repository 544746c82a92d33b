#!/usr/bin/env bash
# Installs every Debian 12 package Zendra needs to build, test and benchmark; with --fuzz also clang
# and its libFuzzer runtime for the `fuzz` preset (the corpus replay in the tests needs neither); with
# --package also the Debian package tools that scripts/package.sh uses.
# Safe to run repeatedly: it does nothing when all packages are present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format git ccache
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools libqt6opengl6-dev libgl-dev qt6-wayland
  libplist-dev nlohmann-json3-dev libmd4c-dev
  libxcb1-dev libxcb-screensaver0-dev libxcb-xtest0-dev libxcb-xkb-dev
  libxkbcommon-dev libxkbcommon-x11-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libdbus-1-dev
  xvfb xauth x11-utils dbus dbus-x11 fonts-dejavu-core desktop-file-utils appstream dpkg-dev
  # The Plasma applet (Qt 5, KDE Frameworks 5) and the desktop test that runs it in plasmashell.
  extra-cmake-modules qtbase5-dev qtdeclarative5-dev libkf5plasma-dev
  plasma-workspace plasma-framework kwin-x11 kded5
  # plasmashell's desktop shell package (org.kde.plasma.desktop): without it plasmashell loads no panel.
  plasma-desktop
  # Desktop tests: a real GNOME Shell (software GL, X11 and Wayland with XWayland) with the extension
  # that shows items' labels.
  gnome-shell gnome-shell-extension-appindicator libgl1-mesa-dri xwayland
)
case "${1:-}" in
  --fuzz) packages+=(clang libclang-rt-14-dev) ;;
  --package) packages+=(debhelper lintian) ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
