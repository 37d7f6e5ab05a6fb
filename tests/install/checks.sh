# Shared by the install and package checks: what an installed tree must hold and how its report tool must
# answer. Sourced by test_install.sh and test_package.sh.

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The files of an installed tree, relative to its prefix.
installed_files() {
  echo bin/vorelian bin/vorelian-report
  echo share/vorelian/Calendar/January.DAT share/vorelian/Calendar/Abbr.DAT share/vorelian/Help/Index.html
  echo share/vorelian/Splash.GIF
  echo share/applications/org.vorelian.Vorelian.desktop
  echo share/metainfo/org.vorelian.Vorelian.metainfo.xml
  echo share/icons/hicolor/scalable/apps/org.vorelian.Vorelian.svg
  for size in 16 22 24 32 48 64 128 256; do
    echo "share/icons/hicolor/${size}x${size}/apps/org.vorelian.Vorelian.png"
  done
  echo share/man/man1/vorelian.1.gz share/man/man1/vorelian-report.1.gz
  echo share/doc/vorelian/copyright share/doc/vorelian/changelog.Debian.gz
}

# Runs the installed tool of `prefix` from a folder outside it, with no --data: St Nicholas's day (19
# December, new style), whose saint comes from the bundled data set, and Pascha 2024.
check_report_finds_its_data() {
  local prefix=$1 elsewhere=$2 out
  mkdir -p "$elsewhere"
  out=$(cd "$elsewhere" && "$prefix/bin/vorelian-report" day --date 2024-12-19) || fail "vorelian-report day: status $?"
  grep -q "19 декабря 2024 года от Р.Х. по новому стилю" <<<"$out" || fail "no date line in: $out"
  grep -q "Николая, архиеп. Мир Ликийских" <<<"$out" || fail "no commemoration in: $out"
  out=$(cd "$elsewhere" && "$prefix/bin/vorelian-report" day --date 2024-05-05) || fail "vorelian-report day: status $?"
  grep -q "Пасха" <<<"$out" || fail "no Pascha in: $out"
}

# With the data set gone the tool says where it looked and ends with status 3.
check_report_without_data() {
  local prefix=$1 elsewhere=$2 status=0 err
  rm -rf "$prefix/share/vorelian/Calendar"
  err=$(cd "$elsewhere" && "$prefix/bin/vorelian-report" day 2>&1 >/dev/null) || status=$?
  [ "$status" -eq 3 ] || fail "status $status without data, expected 3"
  grep -q "January.DAT" <<<"$err" || fail "message does not say what is missing: $err"
  grep -q "$(cd "$prefix" && pwd -P)/share/vorelian/Calendar" <<<"$err" || fail "message does not name the installed folder: $err"
  grep -q "$XDG_DATA_HOME/vorelian/Calendar" <<<"$err" || fail "message does not name the XDG folder: $err"
}

# Starts the installed server of `prefix` from another folder with no --data on a free port: the line it
# writes when it listens names the installed data set. Nothing to check where the server is not built.
check_server_finds_its_data() {
  local prefix=$1 elsewhere=$2 log=$2/server.log pid line=""
  [ -x "$prefix/bin/vorelian-server" ] || return 0
  mkdir -p "$elsewhere"
  (cd "$elsewhere" && exec "$prefix/bin/vorelian-server" --port 0) 2>"$log" &
  pid=$!
  for _ in $(seq 300); do
    line=$(grep -m1 "listening on" "$log" || true)
    [ -n "$line" ] || ! kill -0 "$pid" 2>/dev/null && break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" || true
  grep -q "with data from $(cd "$prefix" && pwd -P)/share/vorelian/Calendar\$" <<<"$line" ||
    fail "the server did not start on the installed data: $(cat "$log")"
}

# With the data set gone the server ends at once with status 3 and one line naming the installed folder.
check_server_without_data() {
  local prefix=$1 elsewhere=$2 status=0 err
  [ -x "$prefix/bin/vorelian-server" ] || return 0
  err=$(cd "$elsewhere" && "$prefix/bin/vorelian-server" --port 0 2>&1 >/dev/null) || status=$?
  [ "$status" -eq 3 ] || fail "server status $status without data, expected 3"
  [ "$(wc -l <<<"$err")" -eq 1 ] || fail "more than one line from the server: $err"
  grep -q "$(cd "$prefix" && pwd -P)/share/vorelian/Calendar" <<<"$err" || fail "the server does not name the installed folder: $err"
}
