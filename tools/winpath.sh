# shellcheck shell=bash
# Paths as the Windows program under Wine sees them; sourced by the demo and the
# end-to-end cases.

# A Unix path as Wine's Z: drive names it.
win_path() {
    local p
    p=$(realpath -m "$1")
    printf 'Z:%s' "${p//\//\\}"
}

# The same, escaped for a quoted driver-script argument.
script_path() {
    local p
    p=$(win_path "$1")
    printf '%s' "${p//\\/\\\\}"
}
