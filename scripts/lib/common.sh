# Shared by the scripts in this folder: package installation and the build steps.
# Sourced, not run.

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

# Debian packages every build needs; scripts add their own on top.
build_packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libpng-dev zlib1g-dev libsndfile1-dev libsamplerate0-dev libcli11-dev
  libfreetype-dev libfontconfig-dev fonts-liberation
  libxcb1-dev libx11-dev libxtst-dev libxres-dev
  juce-modules-source-data
  python3 python3-numpy
)

# Installs whatever of the given packages is missing; apt is skipped when all are present.
ensure_packages() {
  local missing=()
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures and builds one CMake preset.
build_preset() {
  local preset=$1
  shift
  cmake --preset "$preset" -S "$repo_root" >/dev/null
  cmake --build --preset "$preset" -j "$jobs" "$@"
}
