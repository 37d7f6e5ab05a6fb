#!/usr/bin/env bash
# Every option that a program's --help names, and every report of vorelian-report, is in its manual page.
# Usage: test_manpages.sh <folder of the programs> <folder of the manual pages>
set -u
bin=$1 man=$2
missing=0
words_of_help() { "$bin/$1" --help 2>/dev/null | grep -oE -- '(^|[ ,])--?[a-z][a-z-]*' | sed 's/^[ ,]*//' | sort -u; }
words_of_page() { sed 's/\\-/-/g; s/\\f[BIRP]//g' "$man/$1.1"; }
check() { # program word...
  local program=$1 page; shift
  page=$(words_of_page "$program")
  for word in "$@"; do
    if ! grep -qE -- "(^|[^a-z-])$word([^a-z-]|\$)" <<<"$page"; then
      echo "$program: '$word' is not in $program.1"
      missing=$((missing + 1))
    fi
  done
}
for program in vorelian vorelian-report vorelian-server; do
  [ -x "$bin/$program" ] || continue
  mapfile -t options < <(words_of_help "$program")
  [ ${#options[@]} -gt 0 ] || { echo "$program --help names no option"; missing=$((missing + 1)); }
  check "$program" "${options[@]}"
done
if [ -x "$bin/vorelian-report" ]; then
  # The reports, from the lines of the help's list «REPORT / отчёт:» up to the options.
  mapfile -t reports < <("$bin/vorelian-report" --help | sed -n '/^REPORT/,/^Параметры/p' |
    grep -oE '^  [a-z]+ ' | tr -d ' ')
  check vorelian-report "${reports[@]}" json
fi
[ "$missing" -eq 0 ] && echo "every option and report of --help is in the manual pages"
exit $((missing > 0))
