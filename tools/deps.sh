# Sourced by the tools: installs Debian packages that are missing, quietly and only once.
ensure_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  # 32-bit packages (wine32:i386 runs the Windows programs) need the i386 architecture.
  if printf '%s\n' "${missing[@]}" | grep -q ':i386$' &&
     ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

# What the programs need to build.
RUN_PACKAGES=(cmake ninja-build g++ pkg-config libsqlite3-dev nlohmann-json3-dev qt6-base-dev
              libxcb1-dev
              libgl-dev)
# What every test, benchmark, analyser and fuzzer needs on top.
BUILD_PACKAGES=("${RUN_PACKAGES[@]}" libgtest-dev libgmock-dev libbenchmark-dev clang-14
                libfuzzer-14-dev cppcheck clang-tidy clang-format xvfb trayer xdotool imagemagick
                x11-utils g++-mingw-w64-i686-win32 wine wine32:i386 dbus
                haskell-status-notifier-item-utils
                python3-dbus python3-gi nsis)
# The screen-reader test (AT-SPI), the manual pages' check, the completion test.
BUILD_PACKAGES+=(at-spi2-core python3-pyatspi gir1.2-atspi-2.0 groff-base bash-completion)
# What tools/deb needs to make and check the Debian package.
DEB_PACKAGES=(dpkg-dev file lintian gzip)
