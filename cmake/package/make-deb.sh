#!/usr/bin/env bash
# Builds the Debian package from the built Linux modules and the factory presets:
#   /usr/lib/vst3/Quillwave.vst3                 the VST3 bundle
#   /usr/lib/lxvst/Quillwave.so                  the VST2 module
#   <shared library>/Factory                     the factory presets
#   /usr/share/doc/quillwave/                    copyright and changelog
# The modules are stripped of their debugging information; Depends comes from
# dpkg-shlibdeps, which reads the shared libraries the modules link.
#
#   make-deb.sh --version V --vendor NAME --vst3-bundle DIR --vst2-module FILE
#               --presets DIR --shared-library DIR --templates DIR --output FILE.deb
set -euo pipefail

while [ $# -gt 0 ]; do
  case "$1" in
    --version) version=$2 ;;
    --vendor) vendor=$2 ;;
    --vst3-bundle) vst3_bundle=$2 ;;
    --vst2-module) vst2_module=$2 ;;
    --presets) presets=$2 ;;
    --shared-library) shared_library=$2 ;;
    --templates) templates=$2 ;;
    --output) output=$2 ;;
    *) echo "make-deb.sh: unknown option $1" >&2; exit 2 ;;
  esac
  shift 2
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
umask 022

install -d "$root/usr/lib/vst3" "$root/usr/lib/lxvst" "$root$shared_library/Factory" \
  "$root/usr/share/doc/quillwave" "$root/DEBIAN"
cp -r "$vst3_bundle" "$root/usr/lib/vst3/Quillwave.vst3"
install -m 644 "$vst2_module" "$root/usr/lib/lxvst/Quillwave.so"
install -m 644 "$presets"/*.quillwavepreset "$root$shared_library/Factory/"
find "$root/usr/lib" -name '*.so' -exec chmod 644 {} + \
  -exec strip --strip-unneeded --remove-section=.comment --remove-section=.note {} +
find "$root" -type d -exec chmod 755 {} +

install -m 644 "$templates/copyright" "$root/usr/share/doc/quillwave/copyright"
# The release date: the last commit's when built from a clone, else today.
source_dir=$(cd "$templates" && git rev-parse --show-toplevel 2>/dev/null || true)
stamp=${SOURCE_DATE_EPOCH:-$( [ -n "$source_dir" ] && git -C "$source_dir" log -1 --format=%ct 2>/dev/null || date +%s)}
sed -e "s/@VERSION@/$version/g" -e "s/@VENDOR@/$vendor/g" \
    -e "s/@DATE@/$(LC_ALL=C date -u -R -d "@$stamp")/g" "$templates/changelog.in" \
  | gzip -9n > "$root/usr/share/doc/quillwave/changelog.gz"
chmod 644 "$root/usr/share/doc/quillwave/changelog.gz"

# dpkg-shlibdeps reads the package name from a debian/control beside it.
mkdir -p "$work/src/debian"
printf 'Source: quillwave\n\nPackage: quillwave\nArchitecture: any\n' > "$work/src/debian/control"
mapfile -t modules < <(find "$root/usr/lib" -name '*.so' | sort)
depends=$(cd "$work/src" && dpkg-shlibdeps -O "${modules[@]}" | sed -n 's/^shlibs:Depends=//p')
[ -n "$depends" ] || { echo "make-deb.sh: dpkg-shlibdeps found no dependencies" >&2; exit 1; }

installed_size=$(du -sk --exclude=DEBIAN "$root" | cut -f1)
sed -e "s/@VERSION@/$version/" -e "s/@VENDOR@/$vendor/" \
    -e "s/@ARCHITECTURE@/$(dpkg --print-architecture)/" \
    -e "s/@INSTALLED_SIZE@/$installed_size/" -e "s/@DEPENDS@/$depends/" \
    "$templates/control.in" > "$root/DEBIAN/control"
(cd "$root" && find usr -type f -print0 | sort -z | xargs -0 md5sum) > "$root/DEBIAN/md5sums"
chmod 644 "$root/DEBIAN/control" "$root/DEBIAN/md5sums"

mkdir -p "$(dirname "$output")"
dpkg-deb --root-owner-group -Zxz --build "$root" "$output" >/dev/null
echo "Built $output"
