#!/usr/bin/env bash
# Checks the Debian package as a user's system would hold it: unpacked into a
# temporary root, its control fields, its exact layout and the factory presets;
# then both modules from that layout are loaded with the Linux host (the render
# tool): their parameters and a render must match the build's own modules,
# which the package ships stripped.
#
#   deb-test.sh <package.deb> <version> <build tree> <source tree>
set -euo pipefail

deb=$(realpath "$1")
version=$2
build=$(realpath "$3")
source=$(realpath "$4")
render=$build/tools/render/quillwave-render

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
field() { dpkg-deb -f "$deb" "$1"; }

[ "$(field Package)" = quillwave ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is '$(field Architecture)'"
for library in libc6 libstdc++6 libpng16-16 libfreetype6 libfontconfig1; do
  field Depends | grep -q "\b$library\b" || fail "Depends lacks $library: $(field Depends)"
done

root=$work/root
dpkg -x "$deb" "$root"
vst3=usr/lib/vst3/Quillwave.vst3/Contents/x86_64-linux/Quillwave.so
vst2=usr/lib/lxvst/Quillwave.so
factory=usr/share/quillwave/presets/Factory
{
  printf '%s\n' "$vst3" "$vst2" usr/share/doc/quillwave/changelog.gz usr/share/doc/quillwave/copyright
  for preset in "$source"/presets/Factory/*.quillwavepreset; do
    echo "$factory/$(basename "$preset")"
  done
} | sort > "$work/expected"
(cd "$root" && find . -type f | sed 's|^\./||' | sort) > "$work/actual"
diff -u "$work/expected" "$work/actual" || fail "the package's files differ from the layout above"
diff -r "$source/presets/Factory" "$root/$factory" >/dev/null || fail "the factory presets differ from presets/Factory"
for module in "$vst3" "$vst2"; do
  [ "$(stat -c %a "$root/$module")" = 644 ] || fail "$module has mode $(stat -c %a "$root/$module")"
  ! ldd "$root/$module" | grep -q 'not found' || fail "$module links a library the system lacks"
done

# A second of saw-wave chord, stereo, 48 kHz.
python3 - "$work/in.wav" <<'PY'
import math, struct, sys, wave
rate = 48000
with wave.open(sys.argv[1], "wb") as f:
    f.setnchannels(2); f.setsampwidth(2); f.setframerate(rate)
    frames = bytearray()
    for n in range(rate):
        saw = lambda hz: 2.0 * ((n * hz / rate) % 1.0) - 1.0
        left, right = 0.2 * (saw(110) + saw(165)), 0.2 * (saw(138.6) + saw(220))
        frames += struct.pack("<hh", int(left * 32767), int(right * 32767))
    f.writeframes(bytes(frames))
PY

preset="$root/$factory/FLNG - Clean Flanger B.quillwavepreset"
check_module() {
  local name=$1 packaged=$2 built=$3
  "$render" "$packaged" --info > "$work/$name-packaged.info" 2>&1 || fail "$name: --info failed"
  "$render" "$built" --info > "$work/$name-built.info" 2>&1 || fail "$name: --info of the build failed"
  [ "$(grep -cE '^ +[0-9]+ +[A-Za-z]' "$work/$name-packaged.info")" -ge 22 ] || fail "$name: fewer than 22 parameters"
  diff -u "$work/$name-built.info" "$work/$name-packaged.info" || fail "$name: parameters differ from the build's module"
  "$render" "$packaged" "$work/in.wav" "$work/$name-packaged.wav" --preset "$preset" || fail "$name: render failed"
  "$render" "$built" "$work/in.wav" "$work/$name-built.wav" --preset "$preset" || fail "$name: render of the build failed"
  cmp -s "$work/$name-packaged.wav" "$work/$name-built.wav" || fail "$name: the render differs from the build's module"
  python3 - "$work/$name-packaged.wav" <<'PY' || fail "$name: the render is silent or too short"
import struct, sys
data = open(sys.argv[1], "rb").read()
# A float WAV: find the data chunk and its peak.
at = data.index(b"data") + 8
samples = struct.unpack("<%df" % ((len(data) - at) // 4), data[at:at + (len(data) - at) // 4 * 4])
sys.exit(0 if len(samples) >= 2 * 48000 and max(abs(s) for s in samples) > 0.01 else 1)
PY
}
check_module VST3 "$root/usr/lib/vst3/Quillwave.vst3" "$build/modules/Quillwave.vst3"
check_module VST2 "$root/$vst2" "$build/modules/Quillwave.so"

if [ "$failures" -ne 0 ]; then
  echo "deb-test: $failures failure(s)" >&2
  exit 1
fi
echo "deb-test: $deb passed"
