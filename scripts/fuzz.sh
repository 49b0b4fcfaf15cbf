#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ in build-fuzz (clang, AddressSanitizer,
# UndefinedBehaviorSanitizer; with Qt, so that the plot target draws) and runs
# each for FUZZ_SECONDS (default 60), as many at once as there are cores
# (FUZZ_JOBS), seeded from the real files in ../shared/data and from
# fuzz/regressions.
# FUZZ_TARGETS picks some of them ("thermo aim").
# Fails when any target finds a crash, a leak-free abort, a timeout or an
# out-of-memory; the input that did it is kept in build-fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${FUZZ_SECONDS:-60}"
targets="${FUZZ_TARGETS:-extract scan aim language thermo nextjob plot jsonwriter csvwriter xyzwriter steps}"
data="${ZERLANT_SHARED_DATA:-$(pwd)/../shared/data}"
build=build-fuzz

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZERLANT_FUZZ=ON -DZERLANT_GUI=ON -DZERLANT_TESTS=OFF >/dev/null
cmake --build "$build" --target $(printf 'fuzz_%s ' $targets)

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# The seeds of each target: file name patterns in the data folder.
declare -A seeds=(
  [extract]='*.log *.out'
  [scan]='*scan*.log *scan*.out'
  [aim]='*.sum'
  [language]=''
  [thermo]='*.log *.out'
  [nextjob]='*.log *.out'
  [plot]='*scan*.log *scan*.out *pes*.g09 *freq*.log *_td*.out *TD*.log *tddft*.out *raman*.out *_ir*.out'
  [jsonwriter]='*.log *.out'
  [csvwriter]='*.log *.out'
  [xyzwriter]='*.log *.out'
  [steps]='*.log *.out'
)
# Only the seeds that hold this line, where a target reads one section.
declare -A holding=(
  [thermo]='- Thermochemistry -'
)

status=0
mkdir -p "$build/findings"
for name in $targets; do
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  if [ -d "$data" ]; then
    for pattern in ${seeds[$name]}; do
      if [ -n "${holding[$name]:-}" ]; then
        find "$data" -maxdepth 1 -name "$pattern" -size -1024k \
          -exec grep -qF -e "${holding[$name]}" {} \; -exec cp -n {} "$corpus/" \;
      else
        find "$data" -maxdepth 1 -name "$pattern" -size -1024k -exec cp -n {} "$corpus/" \;
      fi
    done
  fi
  [ "$name" = language ] && cp -n resources/idioma.lng "$corpus/"
  # Every input that once crashed a target is run first, then kept as a seed.
  if [ -d "fuzz/regressions/$name" ]; then
    "$build/bin/fuzz_$name" -runs=0 "fuzz/regressions/$name"/* || status=1
    cp -n "fuzz/regressions/$name"/* "$corpus/"
  fi
done

# The targets run side by side, as many at a time as there are cores.
run_target() {
  local name=$1 rc=0 run=$seconds
  # The writers run the same parsers as fuzz_extract: a short run each.
  case $name in *writer) run=$(( seconds < 20 ? seconds : 20 ));; esac
  "$build/bin/fuzz_$name" "$build/corpus/$name" -max_total_time="$run" \
    -max_len=1048576 -timeout=20 -rss_limit_mb=3072 -print_final_stats=1 \
    -artifact_prefix="$build/findings/$name-" >"$build/fuzz_$name.log" 2>&1 || rc=$?
  echo "$rc" >"$build/fuzz_$name.status"
}
parallel=${FUZZ_JOBS:-$(nproc)}
for name in $targets; do
  while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do sleep 1; done
  echo "== fuzz_$name"
  rm -f "$build/fuzz_$name.status"
  run_target "$name" &
done
wait
for name in $targets; do
  if [ "$(cat "$build/fuzz_$name.status" 2>/dev/null)" != 0 ]; then
    echo "fuzz_$name found a failure:"
    tail -n 40 "$build/fuzz_$name.log"
    status=1
  else
    echo "fuzz_$name: $(grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' \
      "$build/fuzz_$name.log" | tr -s ' \n' ' ')"
  fi
done
ls "$build/findings"
exit $status
