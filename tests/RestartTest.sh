#!/bin/sh
# A restart of Windows as Wine has one, between the two halves of the walk
# across it (AcrossARestart in e2e_tests): the wineserver ends, and the next
# program's start carries out what waits for the restart. The session's
# persistent wineserver and its services are started again after, so that
# the tests that follow do not start Wine cold.
#   tests/RestartTest.sh E2E_TESTS
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
"$root/scripts/wine-run" "$1" --gtest_filter='AcrossARestart.Before*' || status=1
wineserver -k
wineserver -w
"$root/scripts/wine-run" cmd /c exit </dev/null >/dev/null 2>&1
wineserver -w
wineserver -p >/dev/null 2>&1 </dev/null
"$root/scripts/wine-run" cmd /c exit </dev/null >/dev/null 2>&1
"$root/scripts/wine-run" "$1" --gtest_filter='AcrossARestart.After*' || status=1
exit $status
