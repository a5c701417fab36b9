#!/bin/sh
# Drive X: of the prefix as a tmpfs of 256 KB on a folder of the build, its
# root writable by root alone (the install refuses a folder that others could
# move away). Where mounting is not allowed, the full-disk walk skips.
#   tests/SmallDrive.sh mount|unmount FOLDER
link="$WINEPREFIX/dosdevices/x:"
if [ "$1" = mount ]; then
    mkdir -p "$2"
    { mountpoint -q "$2" || mount -t tmpfs -o size=256k,mode=755 varnolt-small-drive "$2" 2>/dev/null; } &&
        ln -sfn "$2" "$link" || echo "cannot mount a tmpfs on $2: the full-disk walk will be skipped"
else
    rm -f "$link"
    ! mountpoint -q "$2" || umount "$2"
    rmdir "$2" 2>/dev/null
fi
exit 0
