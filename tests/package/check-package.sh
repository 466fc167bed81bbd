#!/usr/bin/env bash
# Unpacks a release package and uses it as a musician would: its host loads
# its DLL, checks what the plug-in says of itself, opens the editor and plays
# the demo song into it. Then the package's host is handed the DLL of the
# other width, which it must refuse, naming the host to use.
#   check-package.sh <package.zip> <win32|win64> <wine prefix> <package of the other width>
# Needs DISPLAY (scripts/test.sh runs it on its Xvfb display).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
package=$1
target=$2
prefix=$3
other=$4

name=$(basename "$package" .zip)
version=${name#QarnViewer-}
version=${version%-"$target"}
IFS=. read -r major minor patch <<<"$version"
vendor_version=$((major * 1000000 + minor * 10000 + patch * 100))

work=$(dirname "$prefix")/package-check
rm -rf "$work"
mkdir -p "$work/mine" "$work/other"
(cd "$work/mine" && cmake -E tar xf "$package")
(cd "$work/other" && cmake -E tar xf "$other")
unpacked=$work/mine/$name
other_dll=$(echo "$work"/other/*/QarnViewer.dll)

fail=0
for file in QarnViewer.dll QarnViewer.clap QarnHost.exe demo-song.mid INSTALL.txt; do
  [ -s "$unpacked/$file" ] || { echo "check-package: $name has no $file"; fail=1; }
done
[ $fail -eq 0 ] || exit 1
grep -q "Qarn Viewer $version" "$unpacked/INSTALL.txt" || { echo "check-package: INSTALL.txt does not name version $version"; fail=1; }
grep -qF '%COMMONPROGRAMFILES%\CLAP' "$unpacked/INSTALL.txt" || { echo "check-package: INSTALL.txt does not say where CLAP hosts look"; fail=1; }
case $target in win64) vst3_folder=x86_64-win ;; *) vst3_folder=x86-win ;; esac
[ -s "$unpacked/QarnViewer.vst3/Contents/$vst3_folder/QarnViewer.vst3" ] || { echo "check-package: $name has no VST 3 module in QarnViewer.vst3/Contents/$vst3_folder"; fail=1; }
grep -qF '%COMMONPROGRAMFILES%\VST3' "$unpacked/INSTALL.txt" || { echo "check-package: INSTALL.txt does not say where VST 3 hosts look"; fail=1; }

cat >"$work/steps.txt" <<STEPS
expect unique-id QARN
expect effect-name Qarn Viewer
expect vendor Qarn
expect vendor-version $vendor_version
open
expect editor-open 1
play
wait 1500
capture playing.png
stop
close
STEPS
run_host() {
  cd "$work" && "$root/scripts/wine-run.sh" --prefix "$prefix" --arch "$target" "$unpacked/QarnHost.exe" "$@"
}
if ! output=$(run_host "Z:$unpacked/QarnViewer.dll" "Z:$unpacked/demo-song.mid" --script "Z:$work/steps.txt" 2>&1); then
  printf '%s\n' "$output"
  echo "check-package: $name: its host could not play the song into its plug-in"
  fail=1
fi
[ -s "$work/playing.png" ] || { echo "check-package: $name: no capture of the playing editor"; fail=1; }

status=0
output=$(run_host "Z:$other_dll" 2>&1) || status=$?
if [ "$target" = win64 ]; then width=64-bit other_width=32-bit; else width=32-bit other_width=64-bit; fi
if [ $status -ne 2 ] || ! grep -q "a $other_width plug-in; this QarnHost is $width" <<<"$output"; then
  printf '%s\n' "$output"
  echo "check-package: $name: its host did not refuse the $other_width DLL (exit status $status)"
  fail=1
fi

[ $fail -eq 0 ] && echo "check-package: $name: unpacked, loaded, played; the $other_width DLL refused: $(head -1 <<<"$output")"
exit $fail
