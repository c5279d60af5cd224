#!/usr/bin/env bash
# Installs what building and testing need on a fresh Debian 12 machine, then configures
# and builds into $BUILD_DIR (default: build). Extra arguments go to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(build-essential cmake ninja-build python3 pkg-config qtbase5-dev libgtest-dev libbenchmark-dev
          rapidjson-dev clang libclang-rt-14-dev python3-jsonschema nodejs node-typescript chromium
          libsimdjson-dev libprotobuf-dev protobuf-compiler linux-perf valgrind)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# BUILD_DIR: where to build (default build); TARGETS: what to build (default everything).
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -G Ninja "$@" >/dev/null
ninja -C "$BUILD_DIR" ${TARGETS:-}
