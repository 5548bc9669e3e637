#!/usr/bin/env bash
# Runs one end-to-end test: run.sh NAME PROGRAM starts a private Xvfb, starts PROGRAM on it
# (with the arguments that arguments_NAME from cases.sh gives, if there is one), calls test_NAME
# from cases.sh and ends both, whatever the outcome.
set -euo pipefail

[ $# -eq 2 ] || { echo "usage: $0 TEST_NAME PROGRAM" >&2; exit 2; }
E2E_DIR=$(cd "$(dirname "$0")" && pwd)
E2E_PROGRAM=$2
source "$E2E_DIR/lib.sh"
source "$E2E_DIR/cases.sh"

declare -F "test_$1" >/dev/null || e2e_fail "no end-to-end test named $1"
for tool in Xvfb xdotool xwininfo import python3; do
    command -v "$tool" >/dev/null || e2e_fail "$tool is missing: run scripts/install-deps.sh"
done

E2E_WORK=$(mktemp -d)
trap e2e_cleanup EXIT
e2e_start_xvfb
# A case may give the program arguments: a function arguments_NAME sets E2E_PROGRAM_ARGS.
E2E_PROGRAM_ARGS=()
if declare -F "arguments_$1" >/dev/null; then "arguments_$1"; fi
e2e_start_program
"test_$1"
echo "PASS: $1"
