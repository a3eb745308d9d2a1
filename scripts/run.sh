#!/usr/bin/env bash
# Installs what building and running the program needs (only what is
# missing), builds the program alone and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh run
bash scripts/build.sh program
echo "== Starting build/shell/quillory"
exec build/shell/quillory
