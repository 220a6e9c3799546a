# shellcheck shell=bash
# Sourced first by every script: stop at the first command that fails, and
# say so. Under set -e a script would otherwise end with no word at all; the
# trap names the step, the command, its status and where it stands.
# A command whose failure is a normal answer belongs in an `if`.
set -eEuo pipefail
shopt -s inherit_errexit

compplace_current_step="set-up"

# compplace_step NAME: the heading of the next step, named again if it fails.
compplace_step() {
    compplace_current_step=$1
    echo "== $1"
}

compplace_on_error() {
    local status=$1 line=$2 file=$3 command=$4
    # A failure inside $(...) or ( ... ) is reported once, by the shell that
    # ran it, where the command's own line shows.
    ((BASH_SUBSHELL == 0)) || return 0
    # A function that returned a failure shows as its own `return`: name
    # the line that called it instead.
    if [[ $command == return* && -r $file ]]; then
        command=$(sed -n "${line}{s/^[[:space:]]*//;p}" "$file")
    fi
    echo "FAILED in step \"$compplace_current_step\": \`$command\` exited with status $status" \
        "(${file#"${root:-$PWD}"/}, line $line); the lines above say why" >&2
}
trap 'compplace_on_error $? "$LINENO" "${BASH_SOURCE[0]:-$0}" "$BASH_COMMAND"' ERR
