#!/usr/bin/env bash
# The Windows kestrio-batch, under Wine, and the native one run the same rosters with the
# same options: every file they write (reports, per-club files, the control file, saved
# rosters, listings) and what they print must be the same to the byte. The rosters are
# the sample rosters, the roster and CSV fuzz corpora and larger random rosters with
# decimals, ties and odd club names, so the numbers in every column go through both C
# runtimes; a day on the bout board and the CSV exports too.
#
# Usage: compare_windows_reports.sh WINE_RUN WINDOWS_BATCH NATIVE_BATCH SOURCE_DIR
# Exits 77 (skipped) when the native build is missing.
set -euo pipefail
wine_run=$1 windows_batch=$2 native_batch=$3 source=$4
if [ ! -x "$native_batch" ]; then
  echo "no native kestrio-batch at $native_batch: build the default preset first"
  exit 77
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
rosters="$work/rosters"
mkdir -p "$rosters"
cp "$source"/examples/*.txt "$rosters/"
for corpus in "$source"/fuzz/corpus/roster_file/*; do
  cp "$corpus" "$rosters/corpus-$(basename "$corpus").txt"
done

# Random rosters: weights, ages and ratings with up to three decimals, many near ties,
# clubs that differ in characters a file name cannot hold or are named like devices.
# (Clubs differing only in case share a file on Windows by design: tested on their own.)
random_roster() {  # seed count
  awk -v seed="$1" -v n="$2" 'BEGIN {
    srand(seed)
    split("Eagles|Hawks|A/B|A:B|Red Hawks|Tigers|Lions|CON|aux.txt|Com1", club, "|")
    for (i = 1; i <= n; i++) {
      printf "Name%d\tGiven%d\t%.*f\t%.*f\t%.*f\t%s\tyes\r\n", int(rand() * n / 3), i,
             int(rand() * 4), 45 + rand() * 50, int(rand() * 3), 7 + rand() * 8,
             int(rand() * 4), rand() * 4, club[1 + int(rand() * 10)]
    }
  }'
}
random_roster 1 40 >"$rosters/random-40.txt"
random_roster 2 150 >"$rosters/random-150.txt"
random_roster 3 400 >"$rosters/random-400.txt"

# Spreadsheet rosters: the CSV fuzz corpus, read with a fixed event date.
for corpus in "$source"/fuzz/corpus/csv_read/*; do
  cp "$corpus" "$rosters/csv-$(basename "$corpus").csv"
done

failures=0
# run_both NAME STEP [:: STEP]...: both programs, each in a fresh folder holding the
# rosters, run every step (its arguments) in turn, as an organiser's day would.
run_both() {
  local name=$1
  shift
  for side in native windows; do
    local dir="$work/$side/$name"
    mkdir -p "$dir"
    cp "$rosters"/* "$dir/"
    local program=("$native_batch")
    [ "$side" = windows ] && program=("$wine_run" "$windows_batch")
    local step=() arg
    for arg in "$@" ::; do
      if [ "$arg" != :: ]; then
        step+=("$arg")
        continue
      fi
      local status=0
      (cd "$dir" && "${program[@]}" "${step[@]}" >>stdout.raw 2>>stderr.raw) || status=$?
      echo "$status" >>"$dir/status.out"
      step=()
    done
    # The console's line ends differ by system; the files' bytes may not.
    for stream in stdout stderr; do tr -d '\r' <"$dir/$stream.raw" >"$dir/$stream.out"; done
    rm -f "$dir/stdout.raw" "$dir/stderr.raw" "$dir/.kestrio-lock"
  done
  if ! diff -r "$work/native/$name" "$work/windows/$name" >"$work/$name.diff"; then
    echo "DIFFERENT: $name ($*)"
    head -40 "$work/$name.diff"
    failures=$((failures + 1))
  else
    echo "same: $name ($(ls "$work/native/$name" | wc -l) files)"
  fi
}

run_both sample --select-all --save day.tmrx --listing list.dat scrimmage-roster.txt \
  visiting-club.txt
run_both sample-by-age --sort=-Age --select-all --tag-duplicates --listing list.dat \
  scrimmage-roster.txt
run_both sample-optimal --select-all --optimal --compare scrimmage-roster.txt visiting-club.txt
# A day on the bout board: every change rewrites the board file and the reports.
run_both sample-board --select-all --save day.tmrx scrimmage-roster.txt \
  :: --scratch "Fontaine|Isaac|Cedar Valley WC" \
  :: --add-bout "Dunmore|Quinn|Cedar Valley WC" "Delacroix|Owen|Redhill Rams" \
  :: --remove-bout 3 --renumber :: --pair-late
run_both sample-exports --select-all --export-roster roster.csv --export-bouts bouts.csv \
  scrimmage-roster.txt visiting-club.txt
for corpus in "$rosters"/corpus-*; do
  run_both "$(basename "$corpus" .txt)" --select-all --save saved.tmrx "$(basename "$corpus")"
done
for corpus in "$rosters"/csv-*; do
  run_both "$(basename "$corpus" .csv)" --event-date 2024-03-01 --date-order mdy --select-all \
    --save saved.tmrx --export-bouts bouts.csv "$(basename "$corpus")"
done
for n in 40 150 400; do
  run_both "random-$n" --select-all --save saved.tmrx --listing list.dat "random-$n.txt"
done
run_both random-150-optimal --select-all --optimal --compare random-150.txt

if [ "$failures" -ne 0 ]; then
  echo "$failures run(s) differ between the Windows and the native build"
  exit 1
fi
echo "every report, data file and message is the same on Windows"
