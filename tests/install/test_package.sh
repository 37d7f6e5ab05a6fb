#!/usr/bin/env bash
# The Debian package: built with CPack into a scratch folder, its file list and dependencies checked,
# unpacked and its vorelian-report run, and lintian finding no errors. Skipped (77) without dpkg-deb.
set -euo pipefail
build=$1 scratch=$2
. "$(dirname "$0")/checks.sh"
command -v dpkg-deb >/dev/null || { echo "no dpkg-deb: skipped"; exit 77; }
rm -rf "$scratch" && mkdir -p "$scratch" "$XDG_DATA_HOME" "$XDG_DATA_DIRS"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; fail "cpack failed"; }
deb=$(ls "$scratch"/out/*.deb)

dpkg-deb -c "$deb" >"$scratch/contents"
for f in $(installed_files); do
  grep -q " \./usr/$f\$" "$scratch/contents" || fail "not in the package: /usr/$f"
done
! grep -q "test_\|bench_" "$scratch/contents" || fail "test programs in the package"
depends=$(dpkg-deb -f "$deb" Depends)
for dep in qt6-translations-l10n libqt6core6 libqt6widgets6 libc6; do
  grep -q "$dep" <<<"$depends" || fail "Depends lacks $dep: $depends"
done
[ "$(dpkg-deb -f "$deb" Section)" = misc ] || fail "section"

dpkg-deb -x "$deb" "$scratch/root"
if command -v readelf >/dev/null; then
  for program in vorelian vorelian-report; do
    ! readelf -S "$scratch/root/usr/bin/$program" | grep -q "\.debug_info\|\.symtab" || fail "$program is not stripped"
  done
fi
check_report_finds_its_data "$scratch/root/usr" "$scratch/elsewhere"

if command -v lintian >/dev/null; then
  lintian --fail-on error --tag-display-limit 0 "$deb" | tee "$scratch/lintian.txt" || fail "lintian found errors"
fi
echo "package checks passed: $(basename "$deb")"
