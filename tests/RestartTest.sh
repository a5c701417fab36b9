#!/bin/sh
# A restart of Windows as Wine has one, between the two halves of the walk
# across it: the wineserver ends, and the next start carries out what waits
# for the restart. The session's persistent wineserver is started again.
#   tests/RestartTest.sh E2E_TESTS
run() { "$(dirname "$0")/../scripts/wine-run" "$@" </dev/null; }
run "$1" --gtest_filter='AcrossARestart.Before*' || status=1
wineserver -k && wineserver -w
run cmd /c exit >/dev/null 2>&1 && wineserver -w
wineserver -p >/dev/null 2>&1 </dev/null && run cmd /c exit >/dev/null 2>&1
run "$1" --gtest_filter='AcrossARestart.After*' || status=1
exit ${status:-0}
