# Shared by scripts/run, scripts/test and scripts/screenshots: installs what the build needs
# (with apt-get when running as root, otherwise it names the missing packages) and builds
# Release into build/. Sourced, not run.

STATORIUM_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
STATORIUM_BUILD="${STATORIUM_BUILD:-$STATORIUM_ROOT/build}"
STATORIUM_PACKAGES=(cmake ninja-build g++ qt6-base-dev libqcustomplot-dev libgtest-dev libgl-dev xvfb)

statorium_install() {
  local missing=()
  for p in "${STATORIUM_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  else
    echo "These packages are missing; install them as root:" >&2
    echo "  apt-get install ${missing[*]}" >&2
    return 1
  fi
}

statorium_build() {
  cmake -S "$STATORIUM_ROOT" -B "$STATORIUM_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$STATORIUM_BUILD" --parallel "$(nproc)"
}
