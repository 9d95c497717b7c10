#!/bin/sh
# help-sections.sh PROGRAM OPTION: PROGRAM's answer to OPTION, with its options and
# its exit status under headings of their own, from which help2man makes sections.
"$1" "$2" | sed -e '/^Options:$/,$b' -e '0,/^  -/s/^  -/Options:\n&/' \
  -e 's/^Exit status: /*Exit status*\n/'
