#!/usr/bin/env bash
# Set-up, build and run in one step, from a fresh clone on a Debian machine.
#   ./build.sh run    install what is missing, build, start the window (or a headless run)
#   ./build.sh test   install what is missing, build, run every test, then again under sanitizers
#   ./build.sh package  install what is missing, build a Release tree, make the Debian package
set -euo pipefail
cd "$(dirname "$0")"

# What the project adds to the machine's compilers, CMake, GoogleTest and Google Benchmark: the
# command's parser and JSON, Boost.Math for the confidence intervals, Qt for the window with its
# own texts in Russian, a virtual display and Tahoma-metric fonts; Qt SVG for exported charts,
# help2man for the command's manual page, dpkg-dev for the package's dependencies.
PACKAGES=(libcli11-dev nlohmann-json3-dev libboost-math-dev qt6-base-dev qt6-charts-dev
          libqt6opengl6-dev libgl-dev qt6-translations-l10n xvfb xauth fonts-wine
          qt6-svg-dev help2man dpkg-dev)
JOBS=$(nproc)

install_missing() {
    local missing=()
    command -v cmake >/dev/null || missing+=(cmake)
    command -v g++ >/dev/null || missing+=(g++)
    [ -d /usr/include/gtest ] || missing+=(libgtest-dev libgmock-dev)
    [ -d /usr/include/benchmark ] || missing+=(libbenchmark-dev)
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build() {  # build DIR [cmake options...] [-- targets...]
    local dir=$1; shift
    local options=() targets=()
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
    [ $# -gt 0 ] && shift && targets=(--target "$@")
    # Warnings are errors here and in CI; a plain user build only reports them.
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVOLIN_WERROR=ON "${options[@]}" >/dev/null
    cmake --build "$dir" -j "$JOBS" "${targets[@]}"
}

case "${1:-}" in
    run)
        install_missing
        build build -- tavolin tavolin-sim
        if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
            exec ./build/app/tavolin
        fi
        echo "No display found: running one headless packet with the default inputs instead."
        exec ./build/app/tavolin-sim
        ;;
    test)
        install_missing
        build build
        (cd build && ctest --output-on-failure -j "$JOBS")
        # The same suite under AddressSanitizer + UndefinedBehaviorSanitizer; any report fails it.
        build build-asan -DTAVOLIN_SANITIZE=ON -DTAVOLIN_BENCH=OFF
        (cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
            UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
            LSAN_OPTIONS=suppressions="$PWD/../tests/lsan.supp" \
            ctest --output-on-failure -j "$JOBS")
        ;;
    package)
        install_missing
        # A tree of its own, whole: the window is part of the package.
        build build-package -DCMAKE_BUILD_TYPE=Release -DTAVOLIN_GUI=ON -DBUILD_TESTING=OFF \
            -DTAVOLIN_BENCH=OFF
        rm -f build-package/tavolin_*.deb
        (cd build-package && cpack -G DEB)
        echo "Install it with: sudo apt install ./$(cd build-package && ls tavolin_*.deb)" \
            "(from build-package/)"
        ;;
    *)
        echo "usage: $0 run|test|package" >&2
        exit 2
        ;;
esac
