#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the .deb in the build folder given, reads it back with dpkg-deb and runs
# lintian on it: fails on any lintian error, prints the warnings. Skipped (77)
# where dpkg-deb or lintian is missing (scripts/bootstrap installs both).
set -euo pipefail
build=${1:?usage: check_package.sh BUILD_DIR}
command -v dpkg-deb >/dev/null && command -v lintian >/dev/null || { echo "dpkg-deb or lintian missing"; exit 77; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/*.deb)
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'
contents=$(dpkg-deb --contents "$deb")
for file in usr/bin/varnelio usr/bin/varnelio-cli usr/share/varnelio/analyseur.dat usr/share/varnelio/donnees.dat \
            usr/share/varnelio/lexique.dat usr/share/doc/varnelio/copyright usr/share/doc/varnelio/changelog.gz; do
  grep -q " \./$file\$" <<<"$contents" || { echo "missing from the package: $file"; exit 1; }
done
# Extracted whole into a file: reading only its first line through a pipe would
# kill tar and dpkg-deb with SIGPIPE, which pipefail reports as a failure.
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/varnelio/copyright >"$out/copyright"
head -n 1 "$out/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  || { echo "the copyright file is not machine-readable"; exit 1; }
report=$(lintian --no-tag-display-limit "$deb" 2>&1 || true)
echo "$report"
if grep -q '^E:' <<<"$report"; then
  echo "lintian reports errors"
  exit 1
fi
echo "package clean: no lintian error"
