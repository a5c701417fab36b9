#!/bin/sh
# Drive X: of the prefix as a disk of 256 KB that a walk can fill: a tmpfs
# of its own, mounted on a folder beside the prefix (the two runs of the
# 32-bit build's tests go side by side, each with its own), its root
# writable by root alone (the install refuses a folder that others could
# move away). Where mounting is not allowed there is no X:, and the walk
# that needs it says so and skips.
#   tests/SmallDrive.sh mount|unmount
set -u
folder="$WINEPREFIX.small-drive"
link="$WINEPREFIX/dosdevices/x:"
case "$1" in
mount)
    mkdir -p "$folder"
    if mountpoint -q "$folder" || mount -t tmpfs -o size=256k,mode=755 varnolt-small-drive "$folder" 2>/dev/null; then
        ln -sfn "$folder" "$link"
    else
        echo "cannot mount a tmpfs on $folder: the full-disk walk will be skipped"
    fi
    ;;
unmount)
    rm -f "$link"
    if mountpoint -q "$folder"; then umount "$folder"; fi
    rmdir "$folder" 2>/dev/null
    ;;
esac
exit 0
