#!/usr/bin/env bats
# The import check tests/e2e/check_binaries and tests/package/check share,
# against the real list of what Windows XP SP3 has, with a stub objdump that
# shows the DLLs named in the file $imports as an exe's import table.
# Stub bodies are single-quoted on purpose, root comes from helpers.bash:
# shellcheck disable=SC2016,SC2154

load helpers

setup() {
    setup_stubs
    # shellcheck source=tests/e2e/imports.sh
    source "$root/tests/e2e/imports.sh"
    imports=$BATS_TEST_TMPDIR/imports
    stub x86_64-w64-mingw32-objdump '
[[ $1 == -p ]] || exit 1
for dll in $(<"'"$imports"'"); do printf "\tDLL Name: %s\n\tvma:  Hint/Ord Member-Name Bound-To\n\n" "$dll"; done'
}

@test "a DLL the list does not name fails the check with its name; listed ones in any case pass" {
    echo "KERNEL32.dll user32.dll dwmapi.dll" >"$imports"
    run compplace_check_dlls windows/compplace.exe some.exe
    [ "$status" -eq 1 ]
    [ "$output" = "FAIL: windows/compplace.exe imports dwmapi.dll, a DLL tests/e2e/xp_sp3_imports.txt does not list" ]
    echo "KERNEL32.dll user32.dll GDI32.dll" >"$imports"
    compplace_check_dlls windows/compplace.exe some.exe
    [ "$compplace_dlls" = $'KERNEL32.dll\nuser32.dll\nGDI32.dll' ]
}

@test "an exe whose imports cannot be read fails the check" {
    : >"$imports"
    run compplace_check_dlls compplace.exe some.exe
    [ "$status" -eq 1 ]
    [ "$output" = "FAIL: compplace.exe imports nothing readable" ]
}
