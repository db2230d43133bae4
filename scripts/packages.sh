# Sourced by the scripts: installs the Debian packages a build needs, when missing.

# The packages every build and test of the project needs.
VARNOCK_PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  libgtest-dev libbenchmark-dev
  python3 qt6-base-dev xvfb xauth fonts-dejavu-core fonts-liberation2 fonts-noto-core
  help2man desktop-file-utils appstream lintian dpkg-dev file
  g++-mingw-w64-x86-64-posix wine fonts-wine nsis unzip
  emscripten nodejs chromium chromium-driver python3-selenium
)

# install_missing PACKAGE...: installs those not yet installed (as root, with apt-get).
install_missing() {
  local missing=()
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages: ${missing[*]} (run as root, or install them)" >&2
    return 1
  fi
  echo "installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
