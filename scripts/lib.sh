# Shared by scripts/test and scripts/play: packages, locale, build folders.
# shellcheck shell=bash

TOP=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${TAVRENNE_BUILD:-$TOP/build}
# The package test installs tavrenne system-wide: one run at a time per
# machine, whichever clone or build folder it comes from.
PACKAGE_TEST_LOCK=/run/lock/tavrenne-package-test.lock

# Installs the missing Debian packages when run as root; otherwise names them.
ensure_packages() {
    local wanted=() missing=() pkg installed
    while read -r pkg; do
        case "$pkg" in ''|'#'*) continue ;; esac
        wanted+=("$pkg")
    done < "$TOP/scripts/packages"
    # One query for them all: the installed ones, by name.
    # (dpkg-query fails when it has never heard of one of them: not an error here.)
    installed=" $({ dpkg-query -W -f='${db:Status-Status} ${Package}\n' "${wanted[@]}" 2>/dev/null || true; } |
                  awk '$1 == "installed" { printf "%s ", $2 }')"
    for pkg in "${wanted[@]}"; do
        case "$installed" in *" $pkg "*) ;; *) missing+=("$pkg") ;; esac
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing Debian packages: ${missing[*]}" >&2
        echo "Install them with: sudo apt-get install ${missing[*]}  (or run this script as root)" >&2
        exit 1
    fi
    echo "Installing missing Debian packages: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    # Another apt-get on this machine (another run's, say) holds apt's locks
    # for a while: this one waits for them instead of failing.
    apt-get -o DPkg::Lock::Timeout=600 update -qq
    apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Wine shows Japanese only under a ja_JP.UTF-8 locale that glibc knows.
ensure_japanese_locale() {
    if locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
        return 0
    fi
    if [ "$(id -u)" -ne 0 ]; then
        echo "The ja_JP.UTF-8 locale is missing. Create it with: sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8" >&2
        exit 1
    fi
    localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
}

build_native() {
    cmake -S "$TOP" -B "$BUILD/native" -DTAVRENNE_SANITIZE=ON >/dev/null
    cmake --build "$BUILD/native" -j "$(nproc)"
}

# The player's build: the optimised game, its tools and its Debian package,
# without the tests.
configure_linux() {
    cmake -S "$TOP" -B "$BUILD/linux" -DCMAKE_BUILD_TYPE=Release -DTAVRENNE_TESTS=OFF >/dev/null
}

build_package() {
    configure_linux
    cmake --build "$BUILD/linux" -j "$(nproc)" --target package >"$BUILD/linux/package.log" 2>&1 ||
        { cat "$BUILD/linux/package.log"; echo "The Debian package could not be made." >&2; exit 1; }
}

build_windows() {
    cmake -S "$TOP" -B "$BUILD/win64" -DCMAKE_TOOLCHAIN_FILE="$TOP/cmake/mingw-w64.cmake" >/dev/null
    cmake --build "$BUILD/win64" -j "$(nproc)"
}
