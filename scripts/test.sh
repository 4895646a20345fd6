#!/usr/bin/env bash
# Set up (packages, build, game data), then run every test:
#  1. the whole suite (unit, integration, end to end) on the normal build;
#  2. every benchmark once, briefly, to prove it runs (its figures are printed, not judged);
#  3. the unit and integration tests again under AddressSanitizer + UBSan;
#  4. each libFuzzer target for a short fixed time (seeded from fuzz/corpus/<name>, and
#     from fuzz/<name>_seeds.sh where that makes seeds out of the generated data).
# Prints a summary line per stage and exits non-zero if anything failed.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh || exit 1
jobs=$(nproc)
status=0
summary=()

echo "== tests =="
if ctest --test-dir build --output-on-failure -j "$jobs"; then summary+=("tests: passed"); else summary+=("tests: FAILED"); status=1; fi

echo "== benchmarks (a short run each) =="
if [ -x build/gor_bench ]; then
  GOR_GAME_DIR="$PWD/build/game" build/gor_bench --benchmark_min_time=0.01 2>&1 | tee build/bench.log
  if [ "${PIPESTATUS[0]}" = 0 ] && ! grep -q 'ERROR OCCURRED' build/bench.log; then
    summary+=("benchmarks: passed")
  else
    summary+=("benchmarks: FAILED"); status=1
  fi
else
  summary+=("benchmarks: FAILED (not built)"); status=1
fi

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
# The build runs the sanitized data generator too. Leak reports are off: what lives until
# exit is the program's design (pools, pictures), not a fault.
export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGOR_SANITIZE=ON -DGOR_BENCH=OFF >/dev/null \
  && cmake --build build-asan -j "$jobs" \
  && ctest --test-dir build-asan --output-on-failure -j "$jobs" -E '^e2e_' \
  && summary+=("sanitizers: passed") || { summary+=("sanitizers: FAILED"); status=1; }

echo "== fuzzing =="
fuzz_seconds=${FUZZ_SECONDS:-30}
if CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
     -DGOR_FUZZ=ON -DGOR_BENCH=OFF >/dev/null \
   && cmake --build build-fuzz -j "$jobs" --target fuzzers; then
  fuzz_ok=1
  for f in build-fuzz/fuzz_*; do
    [ -x "$f" ] || continue
    name=$(basename "$f"); name=${name#fuzz_}
    corpus=$(mktemp -d); seeds=fuzz/corpus/$name
    [ -d "$seeds" ] || seeds=""
    # A target whose seeds come from the generated data makes them now.
    [ -f "fuzz/${name}_seeds.sh" ] && bash "fuzz/${name}_seeds.sh" build/game "$corpus"
    echo "-- fuzz $name for ${fuzz_seconds}s"
    mkdir -p "$PWD/build-fuzz/artifacts"
    if ! "$f" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
         -artifact_prefix="$PWD/build-fuzz/artifacts/$name-" "$corpus" $seeds > "build-fuzz/$name.log" 2>&1; then
      tail -n 40 "build-fuzz/$name.log"; fuzz_ok=0
    else
      grep -E 'stat::number_of_executed_units' "build-fuzz/$name.log" || true
    fi
    rm -rf "$corpus"
  done
  [ $fuzz_ok = 1 ] && summary+=("fuzzing: passed") || { summary+=("fuzzing: FAILED"); status=1; }
else
  summary+=("fuzzing: FAILED (build)"); status=1
fi

echo "== summary =="
printf '%s\n' "${summary[@]}"
passed=$(printf '%s\n' "${summary[@]}" | grep -c ': passed')
failed=$(( ${#summary[@]} - passed ))
echo "stages: $passed passed, $failed failed"
exit $status
