#!/usr/bin/env bash
# Builds every configuration and runs every test: native with sanitizers, native
# 32-bit, Windows under Wine (the shipped 32-bit build and the 64-bit build), a
# short fuzzing smoke run, the benchmark build (compiled, not run), then the
# release package and the news site under nginx.
#
# The last line sums up every configuration: "N passed, N failed, N skipped".
# Tests are skipped only where this machine cannot run them at all, or where the
# emulator that runs 32-bit programs here is shown to fail them; the lines before
# say why. The exit status is non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
tools/install-deps.sh || exit 1

# Decided once for the whole run: how this machine runs 32-bit Windows programs.
# Where the kernel cannot start them, they run through qemu-i386, registered here
# if need be; only a machine where neither works skips their tests. The Wine
# sessions of every configuration use the loader chosen here.
win32_unavailable=
test_timeout=600
win32_mode=$(tools/wine-32bit.sh --enable)
case $? in
0)
    if [ "$win32_mode" = native ]; then
        export OSTRAFEL_WINE=wine
    else
        # The session's helpers run natively; only the 32-bit programs pay for emulation.
        export OSTRAFEL_WINE=/usr/lib/wine/wine64
        # The window tests start the emulated program several times: 488 s of 600 here.
        test_timeout=1800
        echo "test-all: 32-bit programs run through qemu-i386 (emulated)"
    fi
    ;;
1)
    win32_unavailable=$win32_mode
    export OSTRAFEL_WINE=/usr/lib/wine/wine64
    echo "test-all: the 32-bit Windows tests are skipped: $win32_unavailable"
    ;;
*)
    echo "test-all: $win32_mode" >&2
    exit 1
    ;;
esac

passed=0
failed=0
skipped=0
broken=()
summaries=()

run_tests() { # preset [ctest option...]
    local log="build/$1/ctest.log"
    ctest --preset "$1" "${@:2}" 2>&1 | tee "$log"
    local status=${PIPESTATUS[0]}
    local summary
    summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
    if [ -n "$summary" ]; then
        local total fail
        fail=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$summary")
        total=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$summary")
        passed=$((passed + total - fail))
        failed=$((failed + fail))
        summaries+=("$1 tests: $((total - fail)) of $total passed")
    fi
    [ "$status" -eq 0 ] || broken+=("$1: tests")
}

skip_tests() { # preset reason
    local total
    total=$(ctest --preset "$1" -N | sed -nE 's/^Total Tests: ([0-9]+)$/\1/p')
    skipped=$((skipped + ${total:-0}))
    summaries+=("$1 tests: ${total:-0} skipped, $2")
}

# Under qemu-i386, 32-bit Wine may fail as soon as a process runs several threads
# (tests/emulation/ThreadBurst.cpp shows it with nothing of the program's). Where
# it does on this machine, the test programs whose services run worker threads
# (the HTTP client's name resolution and proxy detection, COM between processes)
# cannot run here; every other 32-bit test still runs.
thread_reliant_tests=(news_client_test ui_news_test ui_accessibility_tests)
emulation_limit=
emulated_threads_work() {
    local session=$PWD/build/win32/wine said
    tools/wine-session.sh start "$session" >/dev/null || return 1
    # Its words, not its exit status: a crash under the emulator can end with 0.
    said=$(timeout 600 tools/wine-run.sh "$session" build/win32/tests/emulation/thread_burst.exe 2>&1)
    tools/wine-session.sh stop "$session"
    grep -q "eight threads started and ended" <<<"$said"
}

for preset in linux linux32 win64 win32 fuzz bench; do
    echo "=== $preset"
    settings=()
    [[ $preset != win* ]] || settings=(-DOSTRAFEL_TEST_TIMEOUT="$test_timeout")
    if ! cmake --preset "$preset" "${settings[@]}" >/dev/null || ! cmake --build --preset "$preset"; then
        broken+=("$preset: build")
        continue
    fi
    case "$preset" in
    win32)
        if [ -n "$win32_unavailable" ]; then
            skip_tests win32 "$win32_unavailable"
        elif [ "$win32_mode" = emulated ] && ! emulated_threads_work; then
            emulation_limit="32-bit Wine under qemu-i386 does not survive eight threads of its own here (build/win32/tests/emulation/thread_burst.exe)"
            echo "test-all: $emulation_limit; skipping the tests that rely on worker threads: ${thread_reliant_tests[*]}"
            run_tests win32 -E "^($(IFS='|'; echo "${thread_reliant_tests[*]}"))\$"
            skipped=$((skipped + ${#thread_reliant_tests[@]}))
            summaries+=("win32 tests: ${#thread_reliant_tests[@]} skipped (${thread_reliant_tests[*]}), because $emulation_limit")
        else
            run_tests win32
        fi
        ;;
    linux | linux32 | win64 | fuzz) run_tests "$preset" ;;
    esac
done

# Checks that are scripts of their own (the x87 order in the machine code, the
# widget include graph, the release package, the news site), which build what
# they need. Exit status 77 is a skip; the reason is in the output.
run_step() { # script [argument]
    step_status=0
    "$@" || step_status=$?
    case "$step_status" in
    0) passed=$((passed + 1)); summaries+=("$*: passed") ;;
    77) skipped=$((skipped + 1)); summaries+=("$*: skipped") ;;
    *) failed=$((failed + 1)); broken+=("$*") ;;
    esac
}
echo "=== x87 control word in the shipped build's core, widget include graph"
run_step tools/check-x87-order.py build/win32/core/libostrafel_core.a
run_step tools/check-widget-includes.py
echo "=== release package, news site"
run_step tests/release/release-test.sh
run_step tests/release/signing-test.sh
# Where Wine cannot run the shipped 32-bit program's news client, the same code
# built for x86_64 still shows the site working with the program.
if [ -n "$emulation_limit" ]; then
    skipped=$((skipped + 1))
    summaries+=("tests/deploy/news-nginx-test.sh i686: skipped, because $emulation_limit")
    step_status=77
else
    run_step tests/deploy/news-nginx-test.sh i686
fi
[ "$step_status" -ne 77 ] || run_step tests/deploy/news-nginx-test.sh x86_64

echo
printf '%s\n' "${summaries[@]}"
if [ ${#broken[@]} -gt 0 ]; then
    printf 'FAILED: %s\n' "${broken[@]}"
fi
elapsed=$((SECONDS - started))
echo "test-all: $((elapsed / 60)) min $((elapsed % 60)) s"
[ -z "$win32_unavailable" ] || echo "skipped: the 32-bit Windows tests, because $win32_unavailable"
echo "all configurations: $passed passed, $failed failed, $skipped skipped"
[ ${#broken[@]} -eq 0 ]
