# Shared by the set-up scripts: install missing Debian packages, configure and build.
set -euo pipefail

KZ_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KZ_JOBS=$(nproc 2>/dev/null || echo 2)

# kz_need_packages PKG...: installs, with apt-get, those of PKG that are missing.
kz_need_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || {
      echo "Please install as root: apt-get install ${missing[*]}" >&2
      exit 1
    }
    sudo=sudo
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# kz_build DIR [CMAKE ARGS...]: configures and builds the project in DIR.
kz_build() {
  local dir=$1
  shift
  local launcher=()
  # A compiler cache, where one is installed, only saves time: results are the same.
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$KZ_ROOT" -B "$dir" "${launcher[@]}" "$@"
  cmake --build "$dir" -j "$KZ_JOBS"
}
