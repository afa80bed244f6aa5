#!/usr/bin/env bash
# Builds every configuration and runs every test: native with sanitizers, native
# 32-bit, Windows under Wine, a short fuzzing smoke run, and the release and
# benchmark builds (compiled, not run), then the release package and the news
# site under nginx.
set -uo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh || exit 1

passed=0
failed=0
broken=()

run_tests() { # preset
    local log="build/$1/ctest.log"
    ctest --preset "$1" 2>&1 | tee "$log"
    local status=${PIPESTATUS[0]}
    local summary
    summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
    if [ -n "$summary" ]; then
        local total fail
        fail=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$summary")
        total=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$summary")
        passed=$((passed + total - fail))
        failed=$((failed + fail))
    fi
    [ "$status" -eq 0 ] || broken+=("$1: tests")
}

for preset in linux linux32 win64 win32 fuzz bench; do
    echo "=== $preset"
    if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset"; then
        broken+=("$preset: build")
        continue
    fi
    case "$preset" in
    linux | linux32 | win64 | fuzz) run_tests "$preset" ;;
    esac
done

# The release package and the news site: scripts of their own, which build what
# they need. Exit status 77 is a skip; the reason is in the output.
skipped=()
run_step() { # script [argument]
    step_status=0
    "$@" || step_status=$?
    case "$step_status" in
    0) passed=$((passed + 1)) ;;
    77) skipped+=("$*") ;;
    *) failed=$((failed + 1)); broken+=("$*") ;;
    esac
}
echo "=== release package, news site"
run_step tests/release/release-test.sh
run_step tests/deploy/news-nginx-test.sh i686
# Where Wine cannot start the shipped 32-bit program, the same code built for
# x86_64 still shows the site working with the program.
[ "$step_status" -ne 77 ] || run_step tests/deploy/news-nginx-test.sh x86_64

echo
if [ ${#skipped[@]} -gt 0 ]; then
    printf 'SKIPPED: %s\n' "${skipped[@]}"
fi
if [ ${#broken[@]} -gt 0 ]; then
    printf 'FAILED: %s\n' "${broken[@]}"
fi
echo "all configurations: $passed passed, $failed failed, ${#skipped[@]} skipped"
[ ${#broken[@]} -eq 0 ]
