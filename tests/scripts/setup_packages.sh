#!/usr/bin/env bash
# Which packages scripts/setup.sh asks apt-get for on a machine that has
# none of them: the run set only the program's, the test set those and the
# test tools. dpkg-query, apt-get and sudo are stand-ins that record the calls.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
stubs=$(mktemp -d)
trap 'rm -rf "$stubs"' EXIT
printf '#!/bin/sh\nexit 1\n' >"$stubs/dpkg-query"
printf '#!/bin/sh\necho "apt-get $*" >>"%s/calls"\n' "$stubs" >"$stubs/apt-get"
printf '#!/bin/sh\nexec "$@"\n' >"$stubs/sudo"
chmod +x "$stubs"/*

RUN="cmake g++ make pkg-config libfox-1.6-dev libhpdf-dev"
TEST="libgtest-dev libx11-dev locales xvfb xauth xdotool imagemagick poppler-utils qpdf libqpdf-dev"
TEST="$TEST valgrind python3 clang libclang-rt-14-dev acl"
failed=0
expect() {  # set, expected packages
    rm -f "$stubs/calls"
    local shown
    shown=$(PATH="$stubs:$PATH" bash "$root/scripts/setup.sh" "$1")
    local want="apt-get update
apt-get install -y $2"
    if [ "$(cat "$stubs/calls")" != "$want" ]; then
        printf 'FAIL: setup.sh %s called\n%s\nnot\n%s\n' "$1" "$(cat "$stubs/calls")" "$want"
        failed=1
    fi
    if ! grep -qx "== Installing $(wc -w <<<"$2") packages: $2" <<<"$shown"; then
        printf 'FAIL: setup.sh %s did not say what it installs:\n%s\n' "$1" "$shown"
        failed=1
    fi
}
expect run "$RUN"
expect test "$RUN $TEST"
exit "$failed"
