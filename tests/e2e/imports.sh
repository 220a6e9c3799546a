# shellcheck shell=bash
# What compplace.exe may import: the list xp_sp3_imports.txt beside this file
# ("DLL function" a line), read and checked here for tests/e2e/check_binaries
# and tests/package/check, which source this file.

compplace_imports_list=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/xp_sp3_imports.txt

# The list's "DLL function" pairs, the DLL in upper case, sorted.
compplace_listed_functions() {
    grep -v '^#' "$compplace_imports_list" | awk 'NF { print toupper($1), $2 }' | sort -u
}

# compplace_check_dlls LABEL EXE: fails when EXE imports a DLL the list does
# not name, with a "FAIL: LABEL imports NAME ..." line for each, or when no
# import can be read from it. Leaves the DLLs EXE imports, as it names them,
# a line each, in compplace_dlls.
compplace_check_dlls() {
    local label=$1 exe=$2 allowed name status=0
    allowed=$(compplace_listed_functions | awk '{ print $1 }' | sort -u)
    compplace_dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ { print $3 }')
    if [[ -z $compplace_dlls ]]; then
        echo "FAIL: $label imports nothing readable"
        return 1
    fi
    while read -r name; do
        if ! grep -qxF "${name^^}" <<<"$allowed"; then
            echo "FAIL: $label imports $name, a DLL ${compplace_imports_list#"${root:-}/"} does not list"
            status=1
        fi
    done <<<"$compplace_dlls"
    return "$status"
}
