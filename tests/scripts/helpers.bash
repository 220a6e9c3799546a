# shellcheck shell=bash
# Shared by the script tests: a folder of stub commands put first on PATH,
# and the repository's root.
root=$(cd "$BATS_TEST_DIRNAME/../.." && pwd)

setup_stubs() {
    stubs=$BATS_TEST_TMPDIR/stubs
    mkdir -p "$stubs"
    PATH=$stubs:$PATH
}

# stub NAME BODY: a command NAME that runs the bash BODY.
stub() {
    printf '#!/usr/bin/env bash\n%s\n' "$2" >"$stubs/$1"
    chmod +x "$stubs/$1"
}

# repository_with FILE...: a folder $repo laid out as the repository that
# holds links to these of its files, so that a script run from there sources
# the stub libraries a test writes beside them.
repository_with() {
    repo=$BATS_TEST_TMPDIR/repo
    local file
    for file in "$@"; do
        mkdir -p "$repo/${file%/*}"
        ln -s "$root/$file" "$repo/$file"
    done
}
