#!/bin/sh
# The install folder is closed to other users even where every new folder
# would be open to them: Wine keeps a folder's access list as its Unix mode,
# and a wineserver started with umask 000 makes each folder writable by all
# unless the program gives it a list of its own. Runs inside the tests'
# Wine session, whose wineserver it replaces for a while and then starts
# again as it was.
#   tests/FolderAccessTest.sh BUILD_DIR
set -u
build=$1
work="$WINEPREFIX/drive_c/varnolt-folder-access"
passed=0 failed=0
check() {
    if [ "$1" = 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $2"; fi
}
others_can_write() { [ $(($(stat -c '0%a' "$1") & 2)) -ne 0 ]; }
# The session's wineserver is persistent; a new one takes the umask given.
restart_wineserver() {
    wineserver -k >/dev/null 2>&1
    wineserver -w
    (umask "$1" && wineserver -p >/dev/null 2>&1 </dev/null)
}

rm -rf "$work"
mkdir -p "$work"
restart_wineserver 000
wine cmd /c mkdir 'C:\varnolt-folder-access\Plain' >/dev/null 2>&1 </dev/null
others_can_write "$work/Plain"
check $? "a folder made without an access list is open to everyone under umask 000"

wine "$build/media/Setup.exe" /S '/D=C:\varnolt-folder-access\Apps\VarnX' >/dev/null 2>&1 </dev/null
check $? "the quiet install ends with 0"
for folder in "$work/Apps" "$work/Apps/VarnX"; do
    [ -f "$work/Apps/VarnX/VarnX.exe" ] && ! others_can_write "$folder"
    check $? "$folder is made closed to others (mode $(stat -c %a "$folder" 2>/dev/null))"
done
wine 'C:\varnolt-folder-access\Apps\VarnX\Setup.exe' /S /uninstall >/dev/null 2>&1 </dev/null
check $? "the quiet removal ends with 0"

restart_wineserver "$(umask)"
wine cmd /c exit >/dev/null 2>&1 </dev/null
rm -rf "$work"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
