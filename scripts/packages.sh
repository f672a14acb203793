# Debian packages the project needs, and a function that makes sure they
# are installed: with apt-get when run as root, otherwise by telling the
# user the exact command and stopping. Sourced by run.sh and test.sh.

# To build and run the program. Configuring the tree also looks for
# GoogleTest and XTest (the tests are part of it), and run.sh's helper
# quilvane_snapshot types through XTest.
QV_BUILD_PACKAGES=(cmake ninja-build g++ pkg-config llvm clang
  libsdl2-dev libcairo2-dev libpango1.0-dev libx11-dev fonts-liberation
  libgtest-dev libxtst-dev)
# To run it on a machine without a display (a private X server).
QV_HEADLESS_RUN_PACKAGES=(xvfb libxtst-dev)
# To build and run the tests, the sanitizer build, the fuzzers and the
# desktop-installation checks.
QV_TEST_PACKAGES=(libgtest-dev libbenchmark-dev xvfb libxtst-dev x11-utils
  libclang-rt-14-dev strace desktop-file-utils dpkg-dev file openbox)

qv_missing_packages() {
  local missing=() p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  echo "${missing[@]:-}"
}

qv_ensure_packages() {
  local missing
  missing=$(qv_missing_packages "$@")
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing missing Debian packages: $missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing
  else
    echo "These Debian packages are missing: $missing" >&2
    echo "Install them as root, then run this script again:" >&2
    echo "  sudo apt-get install --no-install-recommends $missing" >&2
    exit 1
  fi
}
