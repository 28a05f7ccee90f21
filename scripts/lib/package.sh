# The release packages and their tests: the Debian package from the linux
# preset, the Windows installer from the windows preset, both copied to dist/.
# Sourced after common.sh and windows.sh.

package_packages=(nsis dpkg-dev lintian)
dist_dir=$repo_root/dist

# The version the build defines (project(VERSION) in CMakeLists.txt).
release_version() {
  sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$repo_root/build/linux/CMakeCache.txt"
}

# Builds both packages into dist/ and checks the Debian package with lintian,
# which must report no error.
build_release() {
  ensure_packages "${build_packages[@]}" "${windows_packages[@]}" "${package_packages[@]}"
  fetch_libpng_source
  echo "== package: Debian package"
  build_preset linux --target quillwave_deb
  echo "== package: Windows installer"
  build_preset windows --target quillwave_installer
  local version
  version=$(release_version)
  mkdir -p "$dist_dir"
  rm -f "$dist_dir"/quillwave_*.deb "$dist_dir"/Quillwave-*-setup.exe
  cp "$repo_root/build/linux/package/quillwave_${version}_"*.deb \
    "$repo_root/build/windows/package/Quillwave-${version}-win64-setup.exe" "$dist_dir/"
  echo "== package: lintian"
  local report status=0
  report=$(lintian --fail-on error --display-info "$dist_dir"/quillwave_"${version}"_*.deb 2>&1) || status=$?
  grep -v "^running with root" <<<"$report" || true
  echo "lintian: exit status $status"
  return "$status"
}

# Tests both packages as a user installs them (tests/package/), and that the
# README names the version that was built.
run_package_tests() {
  local version
  version=$(release_version)
  grep -q "$version" "$repo_root/README.md" || { echo "README.md does not name version $version" >&2; return 1; }
  echo "== package: Debian package test"
  "$repo_root/tests/package/deb-test.sh" "$dist_dir"/quillwave_"${version}"_*.deb "$version" \
    "$repo_root/build/linux" "$repo_root"
  echo "== package: Windows installer test under Wine"
  "$repo_root/tests/package/installer-test.sh" "$dist_dir/Quillwave-${version}-win64-setup.exe" "$version" \
    "$repo_root/build/windows" "$repo_root"
}
