# shellcheck shell=bash
# What scripts/test ran, kind by kind, and one total that a reader of a CI log
# (or a test-runner reader) takes in at once. Sourced by scripts/test.

compplace_summary=()
compplace_total_passed=0
compplace_total_failed=0

# compplace_count_results KIND LOG STATUS: "PASSED FAILED DETAIL" read from a
# log of that kind of run, which ended with STATUS. DETAIL may be empty.
compplace_count_results() {
    local kind=$1 log=$2 status=$3
    case $kind in
        ctest)
            # "100% tests passed, 0 tests failed out of 588"
            sed -nE 's/^[0-9]+% tests passed, ([0-9]+) tests? failed out of ([0-9]+)$/\1 \2/p' "$log" |
                tail -n 1 | { read -r failed total && echo "$((total - failed)) $failed"; } || true
            ;;
        tap)
            echo "$(grep -c '^ok ' "$log") $(grep -c '^not ok ' "$log")"
            ;;
        fuzz)
            # "number_text_fuzz     123456 executions  0 findings", a target a
            # line, with "  exited with status N" after it when it stopped.
            awk '/^== fuzzing, [0-9]+s per target/ { seconds = $3 }
                 $3 == "executions" { if ($4 == 0 && NF == 5) ok++; else bad++ }
                 END { print ok + 0, bad + 0, seconds + 0 " s a target" }' "$log"
            ;;
        e2e)
            local counts build
            counts=$(sed -nE 's/^([0-9]+) passed, ([0-9]+) failed\r?$/\1 \2/p' "$log" | tail -n 1)
            build=$(sed -n 's/^end-to-end build: //p' "$log" | tail -n 1)
            [[ -n $counts ]] && echo "$counts on ${build:-an unnamed build}"
            ;;
        check)
            # One check: it passed or failed as a whole.
            if ((status == 0)); then
                echo "1 0 $(tail -n 1 "$log")"
            else
                echo "0 1 $(tail -n 1 "$log")"
            fi
            ;;
    esac
    return 0
}

# compplace_run_tests NAME KIND LOG COMMAND...: runs COMMAND with its output
# shown and kept in LOG, and adds what it counted to the summary. A failing
# command is counted, not fatal; one that failed without a failing test
# counts as one failure, and so does one that reported no test at all.
compplace_run_tests() {
    local name=$1 kind=$2 log=$3 status=0 passed failed detail
    shift 3
    # The command's status, not tee's, whatever the caller's options.
    local -
    set -o pipefail
    "$@" 2>&1 | tee "$log" || status=$?
    read -r passed failed detail <<<"$(compplace_count_results "$kind" "$log" "$status")"
    passed=${passed:-0}
    failed=${failed:-0}
    if ((status != 0)); then
        ((failed > 0)) || failed=1
        detail="exited with status $status; log: $log${detail:+; $detail}"
    elif ((passed + failed == 0)); then
        failed=1
        detail="reported no test; log: $log"
    fi
    compplace_total_passed=$((compplace_total_passed + passed))
    compplace_total_failed=$((compplace_total_failed + failed))
    compplace_summary+=("$name: $passed of $((passed + failed)) passed${detail:+ ($detail)}")
}

# Prints the summary and the total; fails when any test failed.
compplace_print_summary() {
    echo "== summary"
    printf '%s\n' "${compplace_summary[@]}"
    if ((compplace_total_failed > 0)); then
        echo "FAILED: $compplace_total_failed test(s) failed; the lines above name the kind and its log"
    fi
    echo "total: $compplace_total_passed passed, $compplace_total_failed failed"
    ((compplace_total_failed == 0))
}
