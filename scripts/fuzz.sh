#!/usr/bin/env bash
# Builds the fuzz preset and runs each libFuzzer target for SECONDS (default 60) on a working
# copy of its seed corpus in build/fuzz/corpus/ (the committed seeds never grow). Fails when
# any target finds a crash, a leak or a hang; the finding is kept in build/fuzz/findings/.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]   targets: ini png jpeg bmp ico (default all)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift $(( $# > 0 ? 1 : 0 ))
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then targets=(ini png jpeg bmp ico); fi

# Longest input per format: enough for every header and a few rows of data.
declare -A max_len=([ini]=4096 [png]=8192 [jpeg]=8192 [bmp]=4096 [ico]=4096)

cmake --preset fuzz >/dev/null
build_targets=()
for t in "${targets[@]}"; do
    [ -n "${max_len[$t]:-}" ] || { echo "fuzz.sh: no target '$t'" >&2; exit 2; }
    build_targets+=("${t}_fuzzer")
done
cmake --build --preset fuzz --target "${build_targets[@]}"

mkdir -p build/fuzz/findings
failed=()
for t in "${targets[@]}"; do
    work="build/fuzz/corpus/$t"
    mkdir -p "$work"
    cp -n fuzz/corpus/"$t"/* "$work"/
    log="build/fuzz/$t.log"
    echo "== $t: ${seconds}s, -max_len=${max_len[$t]}"
    if build/fuzz/fuzz/"${t}_fuzzer" "$work" -max_total_time="$seconds" -max_len="${max_len[$t]}" \
        -timeout=30 -print_final_stats=1 -artifact_prefix="build/fuzz/findings/$t-" \
        >"$log" 2>&1; then
        # The closing line: executions, coverage, features, corpus, speed.
        grep -E '^#[0-9]+[[:space:]]+DONE' "$log" || true
    else
        grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -n 20 || true
        echo "fuzz.sh: $t found a problem; the log is $log" >&2
        failed+=("$t")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz.sh: findings in: ${failed[*]}" >&2
    exit 1
fi
echo "fuzz.sh: no findings in ${targets[*]}"
