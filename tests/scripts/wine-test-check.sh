#!/usr/bin/env bash
# scripts/wine-test against a stand-in for Wine that plays each way a run can
# go: a verdict stands, a silent start is tried again, a program that never
# ends after its verdict is stopped, a failed test fails however it ends.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
# The stand-in runs the "program" it is given, a shell snippet, counting starts.
cat >"$work/bin/wine" <<'WINE'
#!/usr/bin/env bash
n=$(($(cat "$STARTS" 2>/dev/null || echo 0) + 1))
echo $n >"$STARTS"
eval "$1"
WINE
chmod +x "$work/bin/wine"
export PATH="$work/bin:$PATH" Z9_WINE_GRACE_SECONDS=1 STARTS="$work/starts"
failures=0
# expect <status> <starts> <output pattern> <program>
expect() {
  rm -f "$STARTS"
  local output status
  output=$(bash "$root/scripts/wine-test" "$4" 2>&1)
  status=$?
  if [ $status -ne "$1" ] || [ "$(cat "$STARTS")" != "$2" ] || ! grep -q -- "$3" <<<"$output"; then
    echo "FAIL: $4 -> status $status, starts $(cat "$STARTS"), output:"
    echo "$output"
    failures=$((failures + 1))
  fi
}
passed='echo "[==========] 1 test ran."; echo "[  PASSED  ] 1 test."'
failed='echo "[  FAILED  ] 1 test, listed below:"; echo "[  FAILED  ] A.B"; echo; echo " 1 FAILED TEST"'
expect 0 1 'PASSED' "$passed"
expect 1 1 'A.B' "$failed; exit 1"
expect 3 1 'cannot make' 'echo cannot make the scratch folder; exit 3'
# Silent at first, then started again: the second run's verdict stands.
expect 0 2 'starting it again' '[ "$(cat "$STARTS")" = 1 ] && exit 5; '"$passed"
expect 5 2 'starting it again' 'exit 5'
# A verdict printed, then no end.
expect 0 1 'did not end' "$passed; exec sleep 60"
expect 1 1 'did not end' "$failed; exec sleep 60"
[ $failures -eq 0 ] && echo "wine-test: every case as expected"
exit $((failures > 0))
