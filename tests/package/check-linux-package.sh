#!/usr/bin/env bash
# Unpacks the Linux release package and loads its plug-in as a Linux host
# does: the library is an x86-64 ELF exporting exactly VSTPluginMain and
# main, both one function; dlopen'd into a process with a stand-in host, its
# VSTPluginMain answers a record that says what the plug-in is. Its CLAP
# build likewise: an x86-64 ELF exporting only clap_entry, whose factory
# describes the plug-in. The VST 3 bundle: its module at the place hosts
# look, exporting the factory and the module's init and exit. The LV2
# bundle beside them: its two libraries export only their entries, and lilv
# (lv2info) reads the plug-in of this version from the unpacked folder.
#   check-linux-package.sh <package.tar.gz> <work folder>
set -euo pipefail
package=$1
work=$2

name=$(basename "$package" .tar.gz)
version=${name#QarnViewer-}
version=${version%-linux-x86_64}
IFS=. read -r major minor patch <<<"$version"
vendor_version=$((major * 1000000 + minor * 10000 + patch * 100))

rm -rf "$work"
mkdir -p "$work"
tar -xzf "$package" -C "$work"
unpacked=$work/$name
fail=0
lv2_files="QarnViewer.lv2/manifest.ttl QarnViewer.lv2/QarnViewer.ttl QarnViewer.lv2/QarnViewer.so QarnViewer.lv2/QarnViewerUI.so"
vst3_module=QarnViewer.vst3/Contents/x86_64-linux/QarnViewer.so
for file in QarnViewer.so QarnViewer.clap INSTALL.txt $lv2_files $vst3_module; do
  [ -s "$unpacked/$file" ] || { echo "check-linux-package: $name has no $file"; fail=1; }
done
[ $fail -eq 0 ] || exit 1
[ "$(ls "$unpacked" | wc -l)" -eq 5 ] && [ "$(ls "$unpacked/QarnViewer.lv2" | wc -l)" -eq 4 ] || { echo "check-linux-package: $name holds more than it should: $(ls -R "$unpacked" | tr '\n' ' ')"; fail=1; }
grep -q "Qarn Viewer $version" "$unpacked/INSTALL.txt" || { echo "check-linux-package: INSTALL.txt does not name version $version"; fail=1; }
for folder in '~/.vst' '~/.clap' '~/.vst3' '~/.lv2'; do
  grep -qF "$folder" "$unpacked/INSTALL.txt" || { echo "check-linux-package: INSTALL.txt does not say where hosts look ($folder)"; fail=1; }
done

# lv2_exports <library> <entry>: the library exports that one function only.
lv2_exports() {
  local found
  found=$(nm -D --defined-only "$unpacked/QarnViewer.lv2/$1" | awk '{print $3}' | paste -sd ' ')
  [ "$found" = "$2" ] || { echo "check-linux-package: QarnViewer.lv2/$1 exports '$found', not '$2'"; fail=1; }
}
vst3_exports=$(nm -D --defined-only "$unpacked/$vst3_module" | awk '{print $3}' | sort | paste -sd ' ')
[ "$vst3_exports" = "GetPluginFactory ModuleEntry ModuleExit" ] ||
  { echo "check-linux-package: $vst3_module exports '$vst3_exports'"; fail=1; }
lv2_exports QarnViewer.so lv2_descriptor
lv2_exports QarnViewerUI.so lv2ui_descriptor
lv2=$(LV2_PATH=$(cd "$unpacked" && pwd) lv2info https://qarn.example/plugins/viewer 2>&1) &&
  grep -q 'Name: *Qarn Viewer' <<<"$lv2" ||
  { echo "check-linux-package: lilv does not read the LV2 bundle:"; printf '%s\n' "$lv2"; fail=1; }
grep -qE "lv2:minorVersion $minor ;" "$unpacked/QarnViewer.lv2/QarnViewer.ttl" &&
  grep -qE "lv2:microVersion $patch ;" "$unpacked/QarnViewer.lv2/QarnViewer.ttl" ||
  { echo "check-linux-package: the LV2 bundle does not describe version $version"; fail=1; }

so=$unpacked/QarnViewer.so
header=$(readelf -h "$so" 2>&1)
if ! grep -q 'Class: *ELF64' <<<"$header" || ! grep -q 'Type: *DYN' <<<"$header" || ! grep -q 'Machine: *Advanced Micro Devices X86-64' <<<"$header"; then
  echo "check-linux-package: QarnViewer.so is not an x86-64 shared object:"; printf '%s\n' "$header"; fail=1
fi
exports=$(nm -D --defined-only "$so" | awk '{print $3}' | LC_ALL=C sort | paste -sd ' ')
[ "$exports" = "VSTPluginMain main" ] || { echo "check-linux-package: exports '$exports', not 'VSTPluginMain main'"; fail=1; }

python3 - "$so" "$vendor_version" <<'PY' || fail=1
import ctypes, sys
so, vendor_version = sys.argv[1], int(sys.argv[2])
Host = ctypes.CFUNCTYPE(ctypes.c_ssize_t, ctypes.c_void_p, ctypes.c_int32, ctypes.c_int32, ctypes.c_ssize_t,
                        ctypes.c_void_p, ctypes.c_float)
Dispatcher = ctypes.CFUNCTYPE(ctypes.c_ssize_t, ctypes.c_void_p, ctypes.c_int32, ctypes.c_int32, ctypes.c_ssize_t,
                              ctypes.c_void_p, ctypes.c_float)

class AEffect(ctypes.Structure):  # the x86-64 layout, 192 bytes
    _fields_ = [("magic", ctypes.c_int32), ("dispatcher", Dispatcher), ("process", ctypes.c_void_p),
                ("setParameter", ctypes.c_void_p), ("getParameter", ctypes.c_void_p),
                ("numPrograms", ctypes.c_int32), ("numParams", ctypes.c_int32), ("numInputs", ctypes.c_int32),
                ("numOutputs", ctypes.c_int32), ("flags", ctypes.c_int32), ("resvd1", ctypes.c_ssize_t),
                ("resvd2", ctypes.c_ssize_t), ("initialDelay", ctypes.c_int32), ("realQualities", ctypes.c_int32),
                ("offQualities", ctypes.c_int32), ("ioRatio", ctypes.c_float), ("object", ctypes.c_void_p),
                ("user", ctypes.c_void_p), ("uniqueID", ctypes.c_int32), ("version", ctypes.c_int32),
                ("processReplacing", ctypes.c_void_p), ("processDoubleReplacing", ctypes.c_void_p),
                ("future", ctypes.c_char * 56)]
assert ctypes.sizeof(AEffect) == 192

audioMasterVersion, effClose, effGetEffectName, effGetVendorString, effGetVendorVersion = 1, 1, 45, 47, 49
host = Host(lambda effect, opcode, index, value, ptr, opt: 2400 if opcode == audioMasterVersion else 0)
library = ctypes.CDLL(so)
problems = []
if ctypes.cast(library.VSTPluginMain, ctypes.c_void_p).value != ctypes.cast(library.main, ctypes.c_void_p).value:
    problems.append("VSTPluginMain and main are different functions")
library.VSTPluginMain.restype = ctypes.POINTER(AEffect)
library.VSTPluginMain.argtypes = [Host]
record = library.VSTPluginMain(host)
if not record:
    sys.exit("check-linux-package: VSTPluginMain answered no record")
effect = record.contents

def text(opcode):
    buffer = ctypes.create_string_buffer(256)
    effect.dispatcher(record, opcode, 0, 0, buffer, 0.0)
    return buffer.value.decode()

seen = {"magic": effect.magic.to_bytes(4, "big"), "unique ID": effect.uniqueID.to_bytes(4, "big"),
        "programs": effect.numPrograms, "flags": hex(effect.flags), "name": text(effGetEffectName), "vendor": text(effGetVendorString),
        "vendor version": effect.dispatcher(record, effGetVendorVersion, 0, 0, None, 0.0)}
expected = {"magic": b"VstP", "unique ID": b"QARN", "programs": 5,
            # has an editor, is a synth, and (unlike the DLL) can process replacing, as Linux hosts need
            "flags": hex(0x111), "name": "Qarn Viewer", "vendor": "Qarn",
            "vendor version": vendor_version}
problems += [f"{key}: {seen[key]!r}, not {expected[key]!r}" for key in expected if seen[key] != expected[key]]
effect.dispatcher(record, effClose, 0, 0, None, 0.0)
for problem in problems:
    print(f"check-linux-package: {problem}")
sys.exit(1 if problems else 0)
PY

clap=$unpacked/QarnViewer.clap
header=$(readelf -h "$clap" 2>&1)
if ! grep -q 'Class: *ELF64' <<<"$header" || ! grep -q 'Type: *DYN' <<<"$header" || ! grep -q 'Machine: *Advanced Micro Devices X86-64' <<<"$header"; then
  echo "check-linux-package: QarnViewer.clap is not an x86-64 shared object:"; printf '%s\n' "$header"; fail=1
fi
exports=$(nm -D --defined-only "$clap" | awk '{print $3}' | paste -sd ' ')
[ "$exports" = "clap_entry" ] || { echo "check-linux-package: QarnViewer.clap exports '$exports', not 'clap_entry'"; fail=1; }

python3 - "$clap" "$version" <<'PY' || fail=1
import ctypes, sys
clap, version = sys.argv[1], sys.argv[2]

class Version(ctypes.Structure):
    _fields_ = [("major", ctypes.c_uint32), ("minor", ctypes.c_uint32), ("revision", ctypes.c_uint32)]

class Descriptor(ctypes.Structure):  # the x86-64 layout, 88 bytes
    _fields_ = [("clap_version", Version)] + [(name, ctypes.c_char_p) for name in (
        "id", "name", "vendor", "url", "manual_url", "support_url", "version", "description")] + [
        ("features", ctypes.POINTER(ctypes.c_char_p))]
assert ctypes.sizeof(Descriptor) == 88

class Factory(ctypes.Structure):
    _fields_ = [("get_plugin_count", ctypes.CFUNCTYPE(ctypes.c_uint32, ctypes.c_void_p)),
                ("get_plugin_descriptor", ctypes.CFUNCTYPE(ctypes.POINTER(Descriptor), ctypes.c_void_p, ctypes.c_uint32)),
                ("create_plugin", ctypes.c_void_p)]

class Entry(ctypes.Structure):  # 40 bytes
    _fields_ = [("clap_version", Version), ("init", ctypes.CFUNCTYPE(ctypes.c_bool, ctypes.c_char_p)),
                ("deinit", ctypes.CFUNCTYPE(None)),
                ("get_factory", ctypes.CFUNCTYPE(ctypes.POINTER(Factory), ctypes.c_char_p))]
assert ctypes.sizeof(Entry) == 40

entry = Entry.in_dll(ctypes.CDLL(clap), "clap_entry")
if entry.clap_version.major != 1 or not entry.init(clap.encode()):
    sys.exit("check-linux-package: clap_entry is no CLAP 1 entry that initialises")
factory = entry.get_factory(b"clap.plugin-factory")
if not factory or factory.contents.get_plugin_count(ctypes.addressof(factory.contents)) != 1:
    sys.exit("check-linux-package: QarnViewer.clap's factory offers no single plug-in")
descriptor = factory.contents.get_plugin_descriptor(ctypes.addressof(factory.contents), 0).contents
seen = {"id": descriptor.id, "name": descriptor.name, "vendor": descriptor.vendor, "version": descriptor.version}
expected = {"id": b"com.qarn.viewer", "name": b"Qarn Viewer", "vendor": b"Qarn", "version": version.encode()}
entry.deinit()
problems = [f"QarnViewer.clap {key}: {seen[key]!r}, not {expected[key]!r}" for key in expected if seen[key] != expected[key]]
for problem in problems:
    print(f"check-linux-package: {problem}")
sys.exit(1 if problems else 0)
PY

[ $fail -eq 0 ] && echo "check-linux-package: $name: unpacked; QarnViewer.so exports VSTPluginMain and main and loads as Qarn Viewer $version; QarnViewer.clap exports clap_entry and describes Qarn Viewer $version; the VST 3 bundle's module exports its factory, init and exit; the LV2 bundle beside them reads as the same"
exit $fail
