#!/usr/bin/env bash
# Runs a command and compares its standard output, standard error and exit status
# with the expected files NAME.stdout, NAME.stderr and NAME.status.
#   check_golden.sh EXPECTED_DIR NAME COMMAND [ARG]...
# Standard input is the file named by GOLDEN_STDIN, or empty.
# With LARKSPAN_UPDATE_GOLDEN=1 the expected files are written instead; review them.
set -u
dir=$1 name=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$@" >"$work/stdout" 2>"$work/stderr" <"${GOLDEN_STDIN:-/dev/null}"
echo $? >"$work/status"

failed=0
for part in stdout stderr status; do
  if [ "${LARKSPAN_UPDATE_GOLDEN:-0}" = 1 ]; then
    cp "$work/$part" "$dir/$name.$part"
  elif ! cmp -s "$dir/$name.$part" "$work/$part"; then
    echo "$name: $part differs from $dir/$name.$part:"
    diff -a "$dir/$name.$part" "$work/$part" | head -n 40
    failed=1
  fi
done
exit $failed
