#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The core's folders depend downward only: each may include its own headers and
# those of the folders below it, never those above or beside it, and no Qt header.
# Prints every include that crosses the wrong way and fails if there is one.
set -euo pipefail
core=${1:?usage: core_includes.sh SRC_CORE_DIR}
declare -A allowed=(
  [text]="text"
  [files]="files text"
  [analysis]="analysis files text"
  [reports]="reports analysis files text"
  [grammar]="grammar analysis files text"
  [morphology]="morphology analysis files text"
  [dictionaries]="dictionaries morphology reports analysis files text"
  [exercise]="exercise analysis files text"
)
status=0
for folder in "$core"/*/; do
  name=$(basename "$folder")
  if [ -z "${allowed[$name]+x}" ]; then
    echo "core/$name: a folder without a place among the layers"
    status=1
    continue
  fi
  while IFS= read -r line; do
    file=${line%%:*}
    target=$(sed -n 's/.*#include "core\/\([a-z_]*\)\/.*/\1/p' <<<"$line")
    if [ -n "$target" ] && [[ " ${allowed[$name]} " != *" $target "* ]]; then
      echo "${file#"$core"/}: includes core/$target, which core/$name may not use"
      status=1
    fi
    if [[ $line == *'#include <Q'* ]]; then
      echo "${file#"$core"/}: includes a Qt header"
      status=1
    fi
  done < <(grep -Hn '#include' "$folder"*.h "$folder"*.cpp 2>/dev/null || true)
done
[ $status -eq 0 ] && echo "core: every include goes downward"
exit $status
