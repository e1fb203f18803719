# The Debian packages the scripts need, and the one way they are brought in: installed with
# apt-get when running as root, otherwise named in the exact command to run.
BUILD_PACKAGES="cmake g++ make pkg-config qt6-base-dev qt6-multimedia-dev libxcb1-dev libgtest-dev"
TEST_PACKAGES="locales at-spi2-core python3-pyatspi clang-format xvfb openbox trayer xdotool x11-utils imagemagick libfaketime util-linux pulseaudio pulseaudio-utils sox xclip dbus-daemon dbus-bin python3-gi gir1.2-glib-2.0 dpkg-dev desktop-file-utils appstream lintian rpm rpmlint man-db kwin-wayland xwayland breeze mutter qt6-wayland"
# The Windows program: MinGW-w64 cross-compilers (posix threads, for GoogleTest), 64-bit Wine to
# run it (32-bit programs need the i386 architecture and wine32 where the machine can run them),
# GoogleTest's sources for the cross-built unit tests, and NSIS for the installers (7-Zip lists
# what they hold).
WIN32_PACKAGES="g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 googletest unzip nsis p7zip-full"
DESKTOP_PACKAGES="xvfb openbox trayer x11-utils imagemagick xdotool"
VNC_PACKAGES="x11vnc"

missing_packages() {
  local p missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  echo "${missing[*]:-}"
}

need_packages() {
  local missing
  missing=$(missing_packages "$@")
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: $missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq >/dev/null || { echo "apt-get update failed" >&2; return 1; }
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing >/dev/null ||
      { echo "apt-get install $missing failed" >&2; return 1; }
  else
    echo "Missing Debian packages. Install them with:" >&2
    echo "  sudo apt-get install $missing" >&2
    return 1
  fi
}

# Passes the build's output on to the log, and shows its percentage on one line of the terminal.
progress_of() {
  local line shown=""
  while IFS= read -r line; do
    printf '%s\n' "$line"
    if [[ "$line" =~ ^\[\ *([0-9]+)%\] ]] && [ "${BASH_REMATCH[1]}" != "$shown" ]; then
      shown=${BASH_REMATCH[1]}
      printf '\r  %3d%% built' "$shown" >&2
    fi
  done
  [ -n "$shown" ] && printf '\n' >&2
  return 0
}

# Configures (once) and builds the given folder; on failure shows the first compiler error
# rather than the whole output.
build_tree() { # folder [cmake options...] -- [targets...]
  local dir=$1; shift
  local options=() targets=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do options+=("$1"); shift; done
  [ "${1:-}" = -- ] && shift
  targets=("$@")
  local log="$dir/build-output.log"
  mkdir -p "$dir"
  # With BUILD_PROGRESS set, CMake's percentage is shown as it goes.
  local show=(cat)
  [ -n "${BUILD_PROGRESS:-}" ] && show=(progress_of)
  { cmake -S . -B "$dir" "${options[@]}" && cmake --build "$dir" -j "$(nproc)" \
      ${targets[@]:+--target "${targets[@]}"}; } 2>&1 | "${show[@]}" >"$log"
  if [ "${PIPESTATUS[0]}" -ne 0 ]; then
    echo "Build failed in $dir. First error:" >&2
    grep -m 1 -A 6 -E 'error|Error' "$log" >&2 || tail -n 20 "$log" >&2
    echo "(whole output: $log)" >&2
    return 1
  fi
}

# The locales the tests run the program under, generated once (as root; otherwise named).
TEST_LOCALES="de_DE.UTF-8 ru_RU.UTF-8 ja_JP.UTF-8"
need_locales() {
  local l missing=()
  for l in "$@"; do
    locale -a 2>/dev/null | grep -qix "$(echo "$l" | sed 's/UTF-8/utf8/')" || missing+=("$l")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    for l in "${missing[@]}"; do
      grep -qx "$l UTF-8" /etc/locale.gen 2>/dev/null || echo "$l UTF-8" >>/etc/locale.gen
    done
    locale-gen >/dev/null || { echo "locale-gen failed" >&2; return 1; }
  else
    echo "Missing locales ${missing[*]}: add them to /etc/locale.gen and run: sudo locale-gen" >&2
    return 1
  fi
}
