#!/usr/bin/env bats
# scripts/fuzz's decisions: what its arguments ask for, and what it makes of
# each target's run. It runs from a copy of the repository whose package step
# is a stub, with a stub cmake and stub fuzz targets in the build folder.
# Stub bodies are single-quoted on purpose, root, stubs and repo come from
# helpers.bash:
# shellcheck disable=SC2016,SC2154

load helpers

setup() {
    setup_stubs
    repository_with scripts/fuzz scripts/lib/errors.sh scripts/lib/test_summary.sh
    echo 'compplace_install_packages() { :; }' >"$repo/scripts/lib/packages.sh"
    calls=$BATS_TEST_TMPDIR/calls
    stub cmake 'echo "cmake $*" >>"'"$calls"'"'
    build=$repo/build/fuzz
}

# fuzz_target NAME BODY: a target the build folder's list names; it logs its
# arguments, then runs the bash BODY.
fuzz_target() {
    mkdir -p "$build/fuzz"
    echo "$1" >>"$build/fuzz/targets.txt"
    printf '#!/usr/bin/env bash\necho "${0##*/} $*" >>"%s"\n%s\n' "$calls" "$2" >"$build/fuzz/$1"
    chmod +x "$build/fuzz/$1"
}

passing='echo "stat::number_of_executed_units: 1234"'

@test "the seconds asked for are shared among the targets the build lists; --ci gives each 3" {
    fuzz_target number_text_fuzz "$passing"
    fuzz_target records_fuzz "$passing"
    fuzz_target sim_files_fuzz "$passing"
    fuzz_target placement_file_fuzz "$passing"
    for case in ":15" "10:3" "007:2" "--ci:3" "2:1"; do
        rm -f "$calls"
        # shellcheck disable=SC2086  # no word when no argument
        run "$repo/scripts/fuzz" ${case%%:*}
        [ "$status" -eq 0 ]
        [ "$(grep -c -- "_fuzz -max_total_time=${case#*:} " "$calls")" -eq 4 ]
        [[ $output == *"== fuzzing, ${case#*:}s per target"* ]]
    done
    grep -qx 'cmake --preset fuzz -B build/fuzz' "$calls"
    grep -q '^records_fuzz .* build/fuzz/corpus/records_fuzz$' "$calls"
    [ "${lines[-1]}" = "placement_file_fuzz        1234 executions  0 findings" ]
}

@test "an argument that is not a number of seconds above 0 gives the usage and status 2, and builds nothing" {
    for arguments in abc 0 -5 "1 2" "--ci 5" 1.5; do
        # shellcheck disable=SC2086  # the words are the arguments
        run "$repo/scripts/fuzz" $arguments
        [ "$status" -eq 2 ]
        [ "${lines[0]}" = "usage: scripts/fuzz [SECONDS | --ci]" ]
        [ "${lines[-1]}" = "FAILED: scripts/fuzz takes a number of seconds above 0 or --ci, not \"$arguments\"" ]
    done
    [ ! -e "$calls" ]
}

@test "a finding or a target that stops fails the run, and the summary counts them" {
    export COMPPLACE_FUZZ_BUILD=elsewhere
    build=$repo/elsewhere
    fuzz_target number_text_fuzz "$passing"
    fuzz_target records_fuzz '
for argument; do [[ $argument == -artifact_prefix=* ]] && prefix=${argument#*=}; done
echo "==42==ERROR: AddressSanitizer: heap-buffer-overflow on address 0x602"
echo "stat::number_of_executed_units: 77"
echo crash >"${prefix}crash-0a1b"
exit 1'
    fuzz_target sim_files_fuzz 'echo "ERROR: the corpus cannot be read"; exit 1'
    run "$repo/scripts/fuzz" --ci
    [ "$status" -eq 1 ]
    grep -qx 'cmake --preset fuzz -B elsewhere' "$calls"
    [[ $output == *"
number_text_fuzz           1234 executions  0 findings
records_fuzz                 77 executions  1 findings  exited with status 1
    ==42==ERROR: AddressSanitizer: heap-buffer-overflow on address 0x602
    log: elsewhere/records_fuzz.log
    replay: elsewhere/fuzz/records_fuzz elsewhere/findings/records_fuzz/<file>
sim_files_fuzz                0 executions  0 findings  exited with status 1
    ERROR: the corpus cannot be read
"* ]]
    [ "${lines[-1]}" = "FAILED: a fuzz target found a fault or stopped; the lines above name it and its log" ]
    # scripts/test counts the targets from this output.
    echo "$output" >"$BATS_TEST_TMPDIR/log"
    source "$repo/scripts/lib/test_summary.sh"
    [ "$(compplace_count_results fuzz "$BATS_TEST_TMPDIR/log" 1)" = "1 2 3 s a target" ]
}

@test "a build that lists no target fails with the list's name" {
    run "$repo/scripts/fuzz" --ci
    [ "$status" -eq 1 ]
    [ "${lines[-1]}" = "FAILED: build/fuzz/fuzz/targets.txt names no fuzz target: fuzz/CMakeLists.txt declares them" ]
}
