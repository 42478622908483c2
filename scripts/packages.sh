#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
$SUDO apt-get update
$SUDO apt-get install -y cmake g++ make pkg-config ccache qt6-base-dev libsqlcipher-dev \
  libgtest-dev libgmock-dev libbenchmark-dev fonts-wqy-microhei xvfb xauth giflib-tools \
  qt6-translations-l10n
