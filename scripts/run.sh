#!/usr/bin/env bash
# Installs what is missing, builds the Release program alone (no tests) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(scripts/build-release.sh)
exec "$program" "$@"
