#!/usr/bin/env bats
# What scripts/test counts from each kind of run, and its closing lines.
# root comes from helpers.bash:
# shellcheck disable=SC2154

load helpers

setup() {
    # shellcheck source=scripts/lib/test_summary.sh
    source "$root/scripts/lib/test_summary.sh"
    log=$BATS_TEST_TMPDIR/log
}

@test "failing end-to-end scenarios are counted with the build they ran on, and fail the total" {
    compplace_run_tests "end-to-end" e2e "$log" \
        printf 'end-to-end build: build/windows-x64, the 64-bit fall-back: reasons\n3 passed, 1 failed\n' >/dev/null
    compplace_run_tests "native tests" ctest "$log" \
        echo "100% tests passed, 0 tests failed out of 588" >/dev/null
    run compplace_print_summary
    [ "$status" -eq 1 ]
    [ "${lines[1]}" = "end-to-end: 3 of 4 passed (on build/windows-x64, the 64-bit fall-back: reasons)" ]
    [ "${lines[2]}" = "native tests: 588 of 588 passed" ]
    [ "${lines[-1]}" = "total: 591 passed, 1 failed" ]
}

@test "a run that counts no test, or fails without a failing test, counts as one failure" {
    compplace_run_tests "script tests" tap "$log" true
    compplace_run_tests "Windows binaries" check "$log" sh -c 'echo "FAIL: imports"; exit 1'
    run compplace_print_summary
    [ "${lines[1]}" = "script tests: 0 of 1 passed (reported no test; log: $log)" ]
    [[ ${lines[2]} == "Windows binaries: 0 of 1 passed (exited with status 1; log: $log; FAIL: imports)" ]]
    [ "${lines[-1]}" = "total: 0 passed, 2 failed" ]
}
