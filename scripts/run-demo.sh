#!/usr/bin/env bash
# The main job: set up, build, and run the command-line tool on its built-in example.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build/bin/pmtool demo
