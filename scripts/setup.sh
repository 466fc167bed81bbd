#!/usr/bin/env bash
# Installs everything the builds and tests need on a minimal Debian 12
# (scripts/lib/packages.sh says what and how). Safe to run again: when
# nothing is missing it asks nothing of apt.
set -euo pipefail
source "$(dirname "$0")/lib/packages.sh"
install_needed
