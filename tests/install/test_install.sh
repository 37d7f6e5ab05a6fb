#!/usr/bin/env bash
# `cmake --install` into a scratch prefix: every file in its place, the desktop entry and the AppStream
# metadata valid, the installed tool and server finding their data from another folder, and a clear failure
# without it.
set -euo pipefail
build=$1 scratch=$2
. "$(dirname "$0")/checks.sh"
rm -rf "$scratch" && mkdir -p "$scratch" "$XDG_DATA_HOME" "$XDG_DATA_DIRS"
prefix=$scratch/prefix

cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" || fail "cmake --install failed"
for f in $(installed_files); do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done
[ -x "$prefix/bin/vorelian-report" ] || fail "vorelian-report is not executable"
[ ! -e "$prefix/share/vorelian/Calendar/README.md" ] || fail "the data format notes are installed"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/org.vorelian.Vorelian.desktop" || fail "desktop entry"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/org.vorelian.Vorelian.metainfo.xml" || fail "metainfo"
fi

check_report_finds_its_data "$prefix" "$scratch/elsewhere"
check_server_finds_its_data "$prefix" "$scratch/elsewhere"
check_report_without_data "$prefix" "$scratch/elsewhere"
check_server_without_data "$prefix" "$scratch/elsewhere"
echo "install checks passed"
