#!/usr/bin/env bash
# Installs, with apt-get, what building, testing and the demo need (Debian 12, as root).
set -euo pipefail
packages=(build-essential cmake pkg-config libmariadb-dev libsystemd-dev libgtest-dev
          mariadb-server mariadb-client)
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}" >/dev/null
fi
