# The Windows build: mingw-w64, libpng from Debian's source package, and the
# tests under Wine on an Xvfb display. Sourced after common.sh.

windows_packages=(
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev dpkg-dev
  wine wine64 fonts-wine fonts-liberation
  libxrender1 libxcursor1 libxi6 libxrandr2 libxinerama1 libxcomposite1 libxfixes3 libxxf86vm1
  libdbus-1-3 xvfb xauth
)
libpng_source_dir="$repo_root/build/third_party/libpng"

# Unpacks Debian's libpng1.6 source package into the build tree, enabling
# source packages first when the system has only binary ones.
fetch_libpng_source() {
  [ -f "$libpng_source_dir/png.h" ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  local sources=/etc/apt/sources.list.d/debian-src.sources
  if [ ! -f "$sources" ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | $sudo tee "$sources" >/dev/null
  fi
  $sudo apt-get update -qq
  local work
  work=$(mktemp -d)
  # The newest source may not be in the archive yet; the release's own is.
  (cd "$work" && { apt-get source -qq libpng1.6 || apt-get source -qq libpng1.6/bookworm; }) >/dev/null
  mkdir -p "$(dirname "$libpng_source_dir")"
  rm -rf "$libpng_source_dir"
  mv "$work"/libpng1.6-*/ "$libpng_source_dir"
  rm -rf "$work"
}

build_windows() {
  ensure_packages "${build_packages[@]}" "${windows_packages[@]}"
  fetch_libpng_source
  echo "== windows: build"
  build_preset windows
}

run_windows_tests() {
  echo "== windows: test under Wine"
  (cd "$repo_root" && ctest --preset windows -j "$jobs")
}
