#!/bin/sh
# Drive X: of the prefix as a disk of 256 KB that a walk can fill: a tmpfs
# of its own, mounted on a folder of the build, its root writable by root
# alone (the install refuses a folder that others could move away). Where
# mounting is not allowed there is no X:, and the walk that needs it says
# so and skips.
#   tests/SmallDrive.sh mount|unmount FOLDER
set -u
link="$WINEPREFIX/dosdevices/x:"
case "$1" in
mount)
    mkdir -p "$2"
    if mountpoint -q "$2" || mount -t tmpfs -o size=256k,mode=755 varnolt-small-drive "$2" 2>/dev/null; then
        ln -sfn "$2" "$link"
    else
        echo "cannot mount a tmpfs on $2: the full-disk walk will be skipped"
    fi
    ;;
unmount)
    rm -f "$link"
    if mountpoint -q "$2"; then umount "$2"; fi
    rmdir "$2" 2>/dev/null
    ;;
esac
exit 0
