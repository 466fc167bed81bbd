#!/bin/bash
# The bundle as Debian's lilv reads it: lv2info describes the plug-in, with
# LV2_PATH naming the bundle's folder, and says not a word of warning or
# error on either stream; the description names the plug-in, its user
# interface and the instrument port as the libraries use them.
#   lv2info-check.sh BUNDLE
# lilv takes every entry of an LV2_PATH folder for a bundle, and the build's
# plugin folder also holds the VST 2 library: the bundle is copied alone into
# a folder of its own, as a user installs it.
set -u
uri=https://qarn.example/plugins/viewer
folder=$(mktemp -d)
output=$(mktemp)
errors=$(mktemp)
trap 'rm -rf "$folder" "$output" "$errors"' EXIT
cp -r "$1" "$folder/" || exit 1

LV2_PATH=$folder lv2info "$uri" >"$output" 2>"$errors"
status=$?
failed=0
fail() {
  echo "lv2info-check: $1"
  failed=1
}
[ $status -eq 0 ] || fail "lv2info ended with status $status"
[ ! -s "$errors" ] || fail "lv2info wrote to its error stream: $(cat "$errors")"
! grep -qiE 'warn|error' "$output" || fail "lv2info warns: $(grep -iE 'warn|error' "$output")"
for expected in "Name: +Qarn Viewer" "Author: +Qarn" "Class: +http://lv2plug.in/ns/extensions/ui#X11UI" \
  "Required Features: +http://lv2plug.in/ns/ext/urid#map" "Extension Data: +http://lv2plug.in/ns/ext/state#interface" \
  "3 = \"Piano \\(88 keys\\)\"" "4 = \"Flute\"" "Symbol: +instrument" "Default: +3.000000" "Maximum: +4.000000" \
  "Symbol: +midi_in" "Symbol: +notify" "Symbol: +view_in" "Binary: +file://.*/QarnViewer.lv2/QarnViewerUI.so"; do
  grep -qE "^\s*$expected" "$output" || fail "the description lacks '$expected'"
done
if [ $failed -ne 0 ]; then
  cat "$output"
  exit 1
fi
echo "lv2info-check: $uri described without a warning ($(grep -c 'Port [0-9]*:' "$output") ports)"
