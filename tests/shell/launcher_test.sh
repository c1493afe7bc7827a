#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The launcher's choice of folder: the one asked for, ~/viscous-pendulum,
# $XDG_DATA_HOME/viscous-pendulum, a private folder under $TMPDIR, or none,
# in which case the program still starts and is told which folder failed.
#
#   launcher_test.sh BUILT_LAUNCHER
set -eu
launcher=$1
top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT

# An installed tree: the launcher, a stand-in for the program that reports
# where it was started and what it was told, and the documents.
mkdir -p "$top/bin" "$top/share/viscous-pendulum"
cp "$launcher" "$top/bin/viscous-pendulum-lab"
cat >"$top/bin/viscous-pendulum" <<'EOF'
#!/bin/sh
echo "in $(pwd)"
echo "told ${VISCOUS_PENDULUM_UNUSABLE_DIR-nothing}"
EOF
chmod +x "$top/bin/viscous-pendulum" "$top/bin/viscous-pendulum-lab"
echo "sample" >"$top/share/viscous-pendulum/vibrel_in.txt"
echo "pdf" >"$top/share/viscous-pendulum/uprav.pdf"
# A regular file: no folder can be made under it, whoever runs the test.
echo >"$top/file"
uid=$(id -u)
failures=0

# check WHAT FOLDER TOLD SAID -- ENVIRONMENT...: started in FOLDER, told
# TOLD ("nothing": not told), standard error matching SAID (empty: silent).
check() {
    what=$1 folder=$2 told=$3 said=$4
    shift 5
    out=$(cd "$top" && env -i PATH="$PATH" "$@" "$top/bin/viscous-pendulum-lab" 2>"$top/stderr") || true
    expected="in $folder
told $told"
    if [ "$out" != "$expected" ]; then
        echo "FAIL $what: got
$out
expected
$expected" >&2
        failures=$((failures + 1))
    fi
    if { [ -z "$said" ] && [ -s "$top/stderr" ]; } || { [ -n "$said" ] && ! grep -q -- "$said" "$top/stderr"; }; then
        echo "FAIL $what: standard error does not read \"$said\":" >&2
        cat "$top/stderr" >&2
        failures=$((failures + 1))
    fi
}

mkdir -p "$top/home" "$top/data" "$top/tmp"

check "the usual folder" "$top/home/viscous-pendulum" nothing "" -- \
    HOME="$top/home" TMPDIR="$top/tmp"
if [ ! -f "$top/home/viscous-pendulum/vibrel_in.txt" ] || [ ! -L "$top/home/viscous-pendulum/uprav.pdf" ]; then
    echo "FAIL the usual folder: no sample or document link" >&2
    failures=$((failures + 1))
fi

check "no HOME" "$top/data/viscous-pendulum" nothing "HOME is not set" -- \
    XDG_DATA_HOME="$top/data" TMPDIR="$top/tmp"

check "a HOME that cannot hold the folder" "$top/data/viscous-pendulum" nothing \
    "working in the folder $top/data/viscous-pendulum instead" -- \
    HOME="$top/file" XDG_DATA_HOME="$top/data" TMPDIR="$top/tmp"

check "neither HOME nor XDG_DATA_HOME" "$top/tmp/viscous-pendulum-$uid" nothing \
    "working in the folder $top/tmp/viscous-pendulum-$uid instead" -- \
    TMPDIR="$top/tmp"
if [ "$(stat -c %a "$top/tmp/viscous-pendulum-$uid")" != 700 ]; then
    echo "FAIL the private folder is not private" >&2
    failures=$((failures + 1))
fi

# Someone else's link in the private folder's place is not followed.
rm -rf "$top/tmp/viscous-pendulum-$uid"
mkdir "$top/elsewhere"
ln -s "$top/elsewhere" "$top/tmp/viscous-pendulum-$uid"
out=$(cd "$top" && env -i PATH="$PATH" TMPDIR="$top/tmp" "$top/bin/viscous-pendulum-lab" 2>/dev/null) || true
case "$out" in
    "in $top/tmp/viscous-pendulum-$uid."??????*) ;;
    *)
        echo "FAIL a link in the private folder's place: $out" >&2
        failures=$((failures + 1))
        ;;
esac
[ -z "$(ls "$top/elsewhere")" ] || {
    echo "FAIL something was written through the link" >&2
    failures=$((failures + 1))
}

check "a folder asked for that cannot be made" "$top/home/viscous-pendulum" "$top/file/lab" \
    "cannot use the folder $top/file/lab" -- \
    HOME="$top/home" VISCOUS_PENDULUM_DIR="$top/file/lab" TMPDIR="$top/tmp"

check "no folder at all" "$top" "$top/file/viscous-pendulum" "no folder can be used" -- \
    HOME="$top/file" XDG_DATA_HOME="$top/file" TMPDIR="$top/file"
if [ "$(grep -c "cannot use the folder $top/file/viscous-pendulum" "$top/stderr")" -ne 1 ]; then
    echo "FAIL no folder at all: a folder tried twice" >&2
    failures=$((failures + 1))
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures failures" >&2
    exit 1
fi
echo "all launcher cases passed"
