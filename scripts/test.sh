#!/usr/bin/env bash
# Builds from scratch and runs every test suite against a throwaway MariaDB server on loopback.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/test-server.sh start
eval "$(bash scripts/test-server.sh env)"
rm -rf build-test
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-test -j"$(nproc)"
cd build-test
ctest --output-on-failure -j2 --timeout 600
