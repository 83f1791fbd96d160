#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Set-up, build and run in one step, from a fresh clone on a Debian machine.
#   ./build.sh run    install what is missing, build, start the window (or a headless run)
#   ./build.sh test   install what is missing, build, run every test, then again under sanitizers
#   ./build.sh package  install what is missing, build a Release tree, make the Debian package
#   ./build.sh fuzz [SECONDS]  build the fuzz targets with clang and run each SECONDS (default 60)
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD

# What the project adds to the machine's compilers, CMake, GoogleTest and Google Benchmark: the
# command's parser and JSON, Boost.Math for the confidence intervals, Qt for the window with its
# own texts in Russian, a virtual display and Tahoma-metric fonts; Qt SVG for exported charts,
# help2man for the command's manual page, dpkg-dev for the package's dependencies; lintian,
# desktop-file-utils and appstream to check the package, its desktop entry and its metainfo;
# clang with its libFuzzer for the fuzz targets; ccache, so that a fresh clone's three trees
# compile only what changed since the last build on the machine.
PACKAGES=(libcli11-dev nlohmann-json3-dev libboost-math-dev qt6-base-dev qt6-charts-dev
          libqt6opengl6-dev libgl-dev qt6-translations-l10n xvfb xauth fonts-wine
          qt6-svg-dev help2man dpkg-dev lintian desktop-file-utils appstream clang libclang-rt-dev
          clang-format ccache)
FUZZERS=(fuzz_number_text fuzz_import_record fuzz_code_settings fuzz_sim_run fuzz_sweep
         fuzz_study_file)
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

# The fuzz targets in a tree of their own: clang, libFuzzer, ASan and UBSan; no window.
build_fuzzers() {
    build build-fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTAVOLIN_FUZZ=ON \
        -DTAVOLIN_SANITIZE=ON -DTAVOLIN_GUI=OFF -DBUILD_TESTING=OFF -DTAVOLIN_BENCH=OFF \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -- tavolin_fuzzers
}

fuzz_one() {  # TARGET SECONDS: one target's run, its log in build-fuzz/TARGET.log
    local t=$1 seconds=$2 dict=()
    # New inputs go to the build tree; the seeds in fuzz/corpus are only read.
    mkdir -p "build-fuzz/corpus/$t"
    [ -f "fuzz/$t.dict" ] && dict=(-dict="fuzz/$t.dict")
    "build-fuzz/fuzz/$t" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 \
        "${dict[@]}" -artifact_prefix="build-fuzz/artifacts/$t-" \
        "build-fuzz/corpus/$t" "fuzz/corpus/$t" >"build-fuzz/$t.log" 2>&1
}

run_fuzzers() {  # SECONDS per target; a crash or a broken property fails, its input kept
    local seconds=$1 i t failed=0
    mkdir -p build-fuzz/artifacts
    # As many targets at a time as there are cores, each for its own SECONDS: the same
    # search as one after another, in a fraction of the time.
    for ((i = 0; i < ${#FUZZERS[@]}; i += JOBS)); do
        local pids=() names=()
        for t in "${FUZZERS[@]:i:JOBS}"; do
            fuzz_one "$t" "$seconds" &
            pids+=($!)
            names+=("$t")
        done
        for k in "${!pids[@]}"; do
            t=${names[$k]}
            if wait "${pids[$k]}"; then
                echo "$t: $(sed -n 's/^stat::number_of_executed_units: *//p' "build-fuzz/$t.log")" \
                    "executions in $seconds s"
            else
                tail -n 40 "build-fuzz/$t.log" >&2
                echo "$t failed; its input is in build-fuzz/artifacts/, the log in" \
                    "build-fuzz/$t.log" >&2
                failed=1
            fi
        done
        [ "$failed" -eq 0 ] || return 1
    done
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
        # Line tables are all the sanitizers' reports need, and cost a fraction of full
        # debugging information to compile.
        build build-asan -DTAVOLIN_SANITIZE=ON -DTAVOLIN_BENCH=OFF \
            -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
        (cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
            UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
            LSAN_OPTIONS=suppressions="$root/tests/lsan.supp" \
            ctest --output-on-failure -j "$JOBS")
        # A short run of every fuzz target: a change that breaks on the seeds fails here.
        build_fuzzers
        run_fuzzers 20
        ;;
    fuzz)
        seconds=${2:-60}
        [[ "$seconds" =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 fuzz [SECONDS]" >&2; exit 2; }
        install_missing
        build_fuzzers
        run_fuzzers "$seconds"
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
        echo "usage: $0 run|test|package|fuzz [SECONDS]" >&2
        exit 2
        ;;
esac
