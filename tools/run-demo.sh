#!/usr/bin/env bash
# Installs what is missing, builds the editions and exports the demo company with the
# standard edition under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/setup.sh
tools/build.sh win
tools/demo.sh
