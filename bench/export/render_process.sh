#!/usr/bin/env bash
# The command line as a whole process, start-up to exit: `--render` of the Koch curve at 10
# substitutions (1 048 576 segments) to PNG, SVG and PDF, timed with hyperfine when it is
# installed and by a plain loop otherwise; then the peak memory of the SVG and PDF runs and the
# sizes of their files.
# Usage: bench/export/render_process.sh path/to/Lindenmayer
set -euo pipefail
program=$(realpath "${1:?usage: $0 path/to/Lindenmayer}")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

png=("$program" --render "$out/koch.png" --subst 10)
svg=("$program" --render "$out/koch.svg" --subst 10)
pdf=("$program" --render "$out/koch.pdf" --subst 10)

if command -v hyperfine >/dev/null; then
    hyperfine -N --warmup 3 --runs 30 "${png[*]}" "${svg[*]}" "${pdf[*]}"
else
    for command in png svg pdf; do
        declare -n run=$command
        "${run[@]}"
        start=$(date +%s%N)
        for _ in $(seq 30); do "${run[@]}"; done
        echo "$command: $(( ($(date +%s%N) - start) / 30000000 )) ms a run (mean of 30)"
    done
fi

for format in svg pdf; do
    declare -n run=$format
    /usr/bin/time -f "${format^^} run: peak memory %M KiB" "${run[@]}"
    echo "${format^^} file: $(stat -c %s "$out/koch.$format") bytes"
done
