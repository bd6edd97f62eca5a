# SPDX-License-Identifier: GPL-3.0-or-later
# What the install checks share, sourced by them: a scratch folder removed on exit, and fail, which reports a
# failed check and counts it so that the script goes on and ends with `finish`.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
# Ends the script: status 1 when any check failed, else the given line of success.
finish() {
    if [ "$failures" -gt 0 ]; then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
    echo "$1"
}
