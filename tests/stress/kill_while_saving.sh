#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Kills varnelio-cli with SIGKILL at random moments while it saves a large analysis,
# again and again, alternating between two texts. After every kill the destination
# must be byte for byte the complete old file or the complete new one: never a mix,
# never a truncated file. No temporary file may outlive the next save.
#   kill_while_saving.sh VARNELIO_CLI [CORPUS_DIR] [ROUNDS]
set -euo pipefail
cli=${1:?usage: kill_while_saving.sh VARNELIO_CLI [CORPUS_DIR] [ROUNDS]}
corpus=${2:-}
rounds=${3:-200}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Two texts of some hundred kilobytes: the corpus repeated (or a made-up text without it),
# the second one a little different so that the two analyses differ.
make_text() {
  local out=$1 size=$2
  : >"$out"
  if [ -n "$corpus" ] && ls "$corpus"/*.txt >/dev/null 2>&1; then
    while [ "$(stat -c %s "$out")" -lt "$size" ]; do cat "$corpus"/*.txt >>"$out"; done
  else
    local line="Gallia est omnis divisa in partes tres, quarum unam incolunt Belgae, aliam Aquitani. "
    local block=""
    for _ in $(seq 200); do block+=$line; done
    while [ "$(stat -c %s "$out")" -lt "$size" ]; do printf '%s' "$block" >>"$out"; done
  fi
  truncate -s "$size" "$out"
  printf '.' >>"$out"
}
make_text "$work/a.txt" $((600 << 10))
make_text "$work/b.txt" $((400 << 10))
printf ' Rosa.' >>"$work/b.txt"

dest=$work/out/analyse.DAT
mkdir -p "$work/out"
"$cli" scan abl-sg "$work/a.txt" --dat "$work/a.DAT"
"$cli" scan abl-sg "$work/b.txt" --dat "$work/b.DAT"
cmp -s "$work/a.DAT" "$work/b.DAT" && { echo "the two reference analyses should differ"; exit 1; }

# How long one whole save takes, in microseconds; the kills land anywhere in it.
t0=$(date +%s%N)
"$cli" scan abl-sg "$work/a.txt" --dat "$dest"
t1=$(date +%s%N)
full_us=$(( (t1 - t0) / 1000 + 1 ))
echo "one save: $((full_us / 1000)) ms, $(stat -c %s "$work/a.DAT") bytes"

current=a
left=0
interrupted=0
completed=0
for round in $(seq "$rounds"); do
  if [ $((round % 2)) -eq 0 ]; then next=a; else next=b; fi
  delay_us=$(( (RANDOM * 32768 + RANDOM) % full_us ))
  "$cli" scan abl-sg "$work/$next.txt" --dat "$dest" &
  pid=$!
  sleep "$(printf '0.%06d' "$delay_us")"
  kill -KILL "$pid" 2>/dev/null || true
  status=0
  { wait "$pid"; } 2>/dev/null || status=$?
  if cmp -s "$dest" "$work/$current.DAT"; then
    interrupted=$((interrupted + 1))
  elif cmp -s "$dest" "$work/$next.DAT"; then
    completed=$((completed + 1))
    current=$next
  else
    echo "round $round: after a kill at ${delay_us} us (exit $status) the destination is neither the old nor the new analysis"
    ls -l "$dest" "$work/a.DAT" "$work/b.DAT"
    exit 1
  fi
  # The content is written into a file without a name; only a kill in the instant
  # between naming it and renaming it over the destination can leave one behind,
  # and the next save removes it.
  if [ -n "$(find "$work/out" -name '.analyse.DAT.*')" ]; then left=$((left + 1)); fi
done
"$cli" scan abl-sg "$work/$current.txt" --dat "$dest"
remaining=$(find "$work/out" -mindepth 1 ! -name analyse.DAT)
if [ -n "$remaining" ]; then
  echo "temporary files remain after a complete save:"
  echo "$remaining"
  exit 1
fi
echo "$rounds kills: $interrupted left the old analysis, $completed the new one; never a mix;" \
  "$left left a temporary file until the next save, none remains"
if [ "$interrupted" -eq 0 ]; then
  echo "no kill landed before the end of a save: the test did not test anything"
  exit 1
fi
