#!/usr/bin/env bash
# Checks the Windows installer as an administrator deploying by script would
# use it, in the private Wine prefix of the Windows tests: a silent install,
# every installed file (the modules byte for byte as built) and the uninstall
# entry; both installed modules loaded by the Windows test host; an upgrade in
# place into another VST2 folder (/D=); then a silent uninstall that removes
# everything installed and keeps what the user saved.
#
#   installer-test.sh <setup.exe> <version> <Windows build tree> <source tree>
set -euo pipefail

installer=$(realpath "$1")
version=$2
build=$(realpath "$3")
source=$(realpath "$4")
support=$source/tests/support
session=$build/wine-session
drive=$session/prefix/drive_c
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillwave'

vst3_bundle="$drive/Program Files/Common Files/VST3/Quillwave.vst3"
default_vst2="$drive/Program Files/VSTPlugins"
# No spaces: wine quotes such an argument, and NSIS reads /D= only unquoted.
other_vst2="$drive/Audio/VST2"
library="$drive/users/Public/Documents/PleoAudio/Quillwave/Presets"
app_folder="$drive/Program Files/PleoAudio/Quillwave"
uninstaller='C:\Program Files\PleoAudio\Quillwave\Uninstall.exe'

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
wine_run() { "$support/wine-run.sh" "$session" "$@"; }
# A value of the uninstall entry, as reg.exe prints it ("" when missing).
# reg.exe under Wine now and then prints nothing for a value that is there, so
# an empty answer is asked again before it counts as missing.
registry_value() {
  local value=""
  for _ in 1 2 3; do
    value=$(wine_run reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' |
      sed -n "s/^ *$1 *REG_[A-Z_]* *//p") || true
    [ -n "$value" ] && break
  done
  printf '%s\n' "$value"
}
registry_key_exists() { wine_run reg query "$key" >/dev/null 2>&1; }

"$support/wine-session.sh" start "$session" >/dev/null
trap '"$support/wine-session.sh" stop "$session"' EXIT

# Whatever an earlier run or the install step of the Windows tests left there.
rm -rf "$vst3_bundle" "$default_vst2/Quillwave.dll" "$other_vst2" "$drive/users/Public/Documents/PleoAudio" \
  "$drive/Program Files/PleoAudio"
wine_run reg delete "$key" /f >/dev/null 2>&1 || true

# Everything an installation with its VST2 module in $1 must have put in place.
check_installed() {
  local vst2_folder=$1 windows_vst2_folder=$2
  diff -r "$build/modules/Quillwave.vst3" "$vst3_bundle" || fail "the installed VST3 bundle differs from the build"
  cmp -s "$build/modules/Quillwave.dll" "$vst2_folder/Quillwave.dll" ||
    fail "Quillwave.dll in $vst2_folder differs from the build or is missing"
  diff -r "$source/presets/Factory" "$library/Factory" >/dev/null || fail "the factory presets differ from presets/Factory"
  [ -d "$library/User" ] || fail "no User folder beside Factory"
  [ -f "$app_folder/Uninstall.exe" ] || fail "no uninstaller"
  [ "$(registry_value DisplayName)" = Quillwave ] || fail "DisplayName is '$(registry_value DisplayName)'"
  [ "$(registry_value DisplayVersion)" = "$version" ] || fail "DisplayVersion is '$(registry_value DisplayVersion)'"
  [ "$(registry_value Publisher)" = PleoAudio ] || fail "Publisher is '$(registry_value Publisher)'"
  [ "$(registry_value UninstallString)" = "\"$uninstaller\"" ] ||
    fail "UninstallString is '$(registry_value UninstallString)'"
  [ "$(registry_value Vst2Folder)" = "$windows_vst2_folder" ] || fail "Vst2Folder is '$(registry_value Vst2Folder)'"
  # EstimatedSize is in KiB and covers at least the two modules.
  local size modules
  size=$(($(registry_value EstimatedSize)))
  modules=$(du -sk --apparent-size "$build/modules/Quillwave.dll" "$build/modules/Quillwave.vst3" | awk '{s += $1} END {print s}')
  [ "$size" -ge "$modules" ] || fail "EstimatedSize $size KiB is below the modules' $modules KiB"
}

echo "== installer: silent install"
wine_run "$installer" /S || fail "the installer failed"
check_installed "$default_vst2" 'C:\Program Files\VSTPlugins'
# The Windows test host loads both installed modules, whose version resources name this release.
wine_run "$build/tests/integration/win32/integration_wine_module_tests.exe" \
  '--gtest_filter=BothModules/WineModuleHost.*:BothModules/VersionResource.*' >"$session/installer-host.log" 2>&1 ||
  { cat "$session/installer-host.log" >&2; fail "the Windows test host failed on the installed modules"; }

echo "== installer: upgrade in place into another VST2 folder"
mkdir -p "$library/User"
echo "<QuillwaveRate>0.25</QuillwaveRate>" > "$library/User/My Sound.quillwavepreset"
echo "<QuillwaveRate>0.75</QuillwaveRate>" > "$library/Factory/Saved Beside Factory.quillwavepreset"
wine_run "$installer" /S '/D=C:\Audio\VST2' || fail "the upgrade failed"
rm "$library/Factory/Saved Beside Factory.quillwavepreset"
check_installed "$other_vst2" 'C:\Audio\VST2'
[ ! -e "$default_vst2/Quillwave.dll" ] || fail "the upgrade left the old VST2 module behind"

echo "== installer: installing again keeps the chosen VST2 folder"
wine_run "$installer" /S || fail "the second upgrade failed"
check_installed "$other_vst2" 'C:\Audio\VST2'
[ ! -e "$default_vst2/Quillwave.dll" ] || fail "installing again put the VST2 module back into the default folder"
echo "<QuillwaveRate>0.75</QuillwaveRate>" > "$library/Factory/Saved Beside Factory.quillwavepreset"

echo "== installer: silent uninstall"
# The uninstaller copies itself away and returns at once; it removes itself last.
wine_run "$uninstaller" /S || fail "the uninstaller failed"
for _ in $(seq 120); do
  [ -e "$app_folder/Uninstall.exe" ] || break
  sleep 0.5
done
[ ! -e "$app_folder" ] || fail "the uninstaller left $app_folder"
[ ! -e "$vst3_bundle" ] || fail "the uninstaller left the VST3 bundle"
[ ! -e "$other_vst2/Quillwave.dll" ] || fail "the uninstaller left the VST2 module"
! registry_key_exists || fail "the uninstall entry is still registered"
for preset in "$source"/presets/Factory/*.quillwavepreset; do
  [ ! -e "$library/Factory/$(basename "$preset")" ] || fail "the uninstaller left $(basename "$preset")"
done
[ -f "$library/User/My Sound.quillwavepreset" ] || fail "the uninstaller removed a user preset"
[ -f "$library/Factory/Saved Beside Factory.quillwavepreset" ] ||
  fail "the uninstaller removed a file the user saved in Factory"

if [ "$failures" -ne 0 ]; then
  echo "installer-test: $failures failure(s)" >&2
  exit 1
fi
echo "installer-test: $installer passed"
