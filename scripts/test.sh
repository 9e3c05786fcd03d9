#!/usr/bin/env bash
# Builds every configuration and runs every test. Exits non-zero when any
# step fails; later steps still run so one report shows everything.
#
#   build/win32   32-bit Windows (the shipping build): program and tests, tests
#                 run under Wine, printing to a PDF queue of a print server of
#                 their own (scripts/print-server.sh)
#   build/win64   64-bit Windows: built only, tests included
#   build/native  the core on this machine with AddressSanitizer and UBSan:
#                 tests run
#   build/fuzz    Clang and libFuzzer: fuzz_document (from the seeds in
#                 fuzz/corpus), fuzz_roundtrip, fuzz_tokenizer, fuzz_import
#                 (from fuzz/corpus_tokenizer and fuzz/corpus_import),
#                 fuzz_exchange_roundtrip (export, then import back) and
#                 fuzz_vcard (from fuzz/corpus_vcard) and fuzz_ical (from
#                 fuzz/corpus_ical) each run for
#                 FUZZ_SECONDS (default 60); inputs, failures and logs go
#                 to build/fuzz/runs/TARGET
#   build/bench   optimised: bench_document and bench_exchange are built, not
#                 run
#
# Environment: FUZZ_SECONDS, JOBS (default: all cores).
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
jobs=${JOBS:-$(nproc)}
fuzz_seconds=${FUZZ_SECONDS:-60}
failed_phases=()
declare -A phase_ok=()
tests_passed=0
tests_failed=0

# Milliseconds since the epoch, and a span of them as seconds.
now_ms() { local t=${EPOCHREALTIME/./}; echo $((t / 1000)); }
seconds_since() { local d=$(($(now_ms) - $1)); printf '%d.%d s' $((d / 1000)) $((d % 1000 / 100)); }

# phase NAME COMMAND...: runs one step, prints its time, records the result.
phase() {
  local name=$1 start status
  shift
  echo "=== $name"
  start=$(now_ms)
  "$@"
  status=$?
  if [ $status -eq 0 ]; then
    phase_ok[$name]=1
    echo "=== $name: ok ($(seconds_since "$start"))"
  else
    failed_phases+=("$name")
    echo "=== $name: FAILED ($(seconds_since "$start"))"
  fi
}

# skip NAME REASON
skip() {
  echo "=== $1: skipped ($2)"
}

configure_and_build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null &&
    cmake --build "$dir" -j "$jobs" -- --quiet
}

# run_ctest DIR: runs a build tree's tests and adds up the results.
run_ctest() {
  local dir=$1 log status line
  log=$dir/ctest.log
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure --no-tests=error 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  line=$(grep -E '[0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
  if [[ $line =~ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
    tests_failed=$((tests_failed + BASH_REMATCH[1]))
    tests_passed=$((tests_passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
  fi
  return "$status"
}

stop_wine_session() {
  [ -d build/win32/wine ] && scripts/wine-session.sh stop build/win32 >/dev/null 2>&1
  scripts/print-server.sh stop build/win32 >/dev/null 2>&1
  return 0
}
trap stop_wine_session EXIT
trap 'exit 130' INT TERM

prepare_wine_prefix() {
  # Booting a prefix takes a while but little CPU: do it while compiling.
  (
    . cmake/wine-prefix.sh
    vantrel_wine_ensure_prefix "$root/build/win32/wine" prefix
  ) >build/wine-prefix.log 2>&1 &
  wine_prefix_pid=$!
}

win32_tests() {
  local status
  # The first run boots the prefix; later ones copy it in a blink.
  wait "$wine_prefix_pid" 2>/dev/null
  # Without it the printing tests are skipped, and this phase fails.
  phase "print server start" scripts/print-server.sh start build/win32
  phase "wine session start" scripts/wine-session.sh start build/win32
  [ -n "${phase_ok[wine session start]:-}" ] || return 1
  run_ctest build/win32
  status=$?
  scripts/wine-session.sh stop build/win32
  scripts/print-server.sh stop build/win32
  return $status
}

# run_fuzzer TARGET [SEED_DIR]: runs one libFuzzer target of build/fuzz.
run_fuzzer() {
  local target=$1 seed_dir=${2:-} run=build/fuzz/runs/$1 seeds=()
  mkdir -p "$run/corpus" "$run/artifacts"
  [ -n "$seed_dir" ] && [ -d "$seed_dir" ] && seeds=("$seed_dir")
  # The first corpus directory collects new inputs; the seeds stay untouched.
  if "build/fuzz/$target" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$run/artifacts/" \
      "$run/corpus" "${seeds[@]}" >"$run/fuzz.log" 2>&1; then
    grep -E '^(Done|stat::number_of_executed_units|stat::new_units_added)' "$run/fuzz.log"
  else
    tail -n 60 "$run/fuzz.log"
    echo "$target failed; inputs are in $run/artifacts (full log: $run/fuzz.log)"
    return 1
  fi
}

total_start=$(now_ms)
mkdir -p build

phase "setup" scripts/setup.sh

phase "build win32" configure_and_build build/win32 \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake"
prepare_wine_prefix
phase "build win64" configure_and_build build/win64 \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake"
phase "build native" configure_and_build build/native -DVANTREL_NATIVE=ON -DVANTREL_SANITIZE=ON

if [ -n "${phase_ok[build native]:-}" ]; then
  phase "tests native" run_ctest build/native
else
  skip "tests native" "build failed"
fi
if [ -n "${phase_ok[build win32]:-}" ]; then
  phase "tests win32" win32_tests
else
  skip "tests win32" "build failed"
fi

phase "build fuzz" configure_and_build build/fuzz -DVANTREL_NATIVE=ON -DVANTREL_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
# fuzz_phase TARGET [SEED_DIR]: runs the target when build/fuzz has it.
fuzz_phase() {
  if [ -n "${phase_ok[build fuzz]:-}" ] && [ -x "build/fuzz/$1" ]; then
    phase "$1 ${fuzz_seconds}s" run_fuzzer "$@"
  else
    skip "$1" "no $1 was built"
  fi
}
fuzz_phase fuzz_document fuzz/corpus  # loads arbitrary bytes
fuzz_phase fuzz_roundtrip             # saves and opens documents built from arbitrary bytes
fuzz_phase fuzz_tokenizer fuzz/corpus_tokenizer  # splits arbitrary delimited text into fields
fuzz_phase fuzz_import fuzz/corpus_import        # imports arbitrary delimited text, saves and opens it
fuzz_phase fuzz_exchange_roundtrip                # exports records built from arbitrary bytes and imports them back
fuzz_phase fuzz_vcard fuzz/corpus_vcard          # imports arbitrary bytes as vCards, saves, opens, exports and imports them
fuzz_phase fuzz_ical fuzz/corpus_ical            # imports arbitrary bytes as iCalendar, saves, opens, exports and imports them

build_bench() {
  cmake -S . -B build/bench -G Ninja -DVANTREL_NATIVE=ON -DVANTREL_TESTS=OFF \
    -DCMAKE_BUILD_TYPE=Release >/dev/null || return 1
  local targets=() help
  help=$(cmake --build build/bench --target help)
  if grep -q '^bench_document:' <<<"$help"; then
    targets+=(bench_document)
  else
    echo "no bench_document target (bench/*.cpp or pugixml missing)"
  fi
  if grep -q '^bench_exchange:' <<<"$help"; then
    targets+=(bench_exchange)
  else
    echo "no bench_exchange target (bench/bench_exchange.cpp or libcsv missing)"
  fi
  [ ${#targets[@]} -gt 0 ] || return 0
  cmake --build build/bench -j "$jobs" --target "${targets[@]}" -- --quiet
}
phase "build bench" build_bench

echo "=== total: $(seconds_since "$total_start")"
if [ ${#failed_phases[@]} -gt 0 ]; then
  echo "=== failed: ${failed_phases[*]}"
fi
echo "tests: $tests_passed passed, $tests_failed failed"
[ ${#failed_phases[@]} -eq 0 ]
