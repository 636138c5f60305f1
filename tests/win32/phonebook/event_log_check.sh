#!/usr/bin/env bash
# Runs the probe against a stand-in whose listing fails and checks the event-log entry that
# the failure writes. Wine prints error-type entries on the process's own stderr
# (err:eventlog:ReportEventW L"...") when WINEDEBUG lets them through, and every call's
# arguments on its "not implemented" line (fixme:advapi:ReportEventW (handle,type,category,
# event id,sid,strings,data size,strings' address,data)); a Windows program cannot capture that
# stream of its child, so the check runs out here.
#   event_log_check.sh WINE_RUN BUILD_DIR PROBE
set -uo pipefail
wine_run=$1 build_dir=$2 probe=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# code, the text that must stand in the log, exactly (it is quoted to its end)
expect_logged() {
  DIALWRIGHT_STANDIN_FAIL="RasEnumEntriesA:$1" WINEDEBUG=fixme+advapi,err+eventlog \
    "$wine_run" --build-dir "$build_dir" --no-display -- "$probe" >"$work/stdout" 2>"$work/stderr"
  local names=$?
  if [ "$names" -ne 0 ]; then
    echo "FAIL: code $1: the probe listed $names names, expected 0"
    failed=1
  fi
  # One entry of one string: Wine prints each string of an entry on a line of its own. An
  # error, category 0, event 0, no user, one string, no data.
  if ! grep -qF "err:eventlog:ReportEventW L\"$2\"" "$work/stderr" ||
     [ "$(grep -c 'err:eventlog:ReportEventW' "$work/stderr")" -ne 1 ] ||
     ! grep -qE 'ReportEventW \([^,]*,0x0001,0x0000,0x00000000,00000000,0x0001,0x00000000,[^,]*,00000000\)' \
       "$work/stderr"; then
    echo "FAIL: code $1: not one event-log entry \"$2\"; the probe's stderr:"
    cat "$work/stderr"
    failed=1
  else
    echo "ok: code $1 logged as \"$2\""
  fi
}

expect_logged 632 "RasEnumEntries failed: Error  632"
expect_logged 5 "RasEnumEntries failed: Error  5"
exit $failed
