#!/bin/sh
# Drive X: of the prefix as a tmpfs of 256 KB beside it, its root writable by
# root alone (the install refuses a folder that others could move away).
# Where mounting is not allowed, the full-disk walk skips.
#   tests/SmallDrive.sh mount|unmount
link="$WINEPREFIX/dosdevices/x:" folder="$WINEPREFIX.small-drive"
if [ "$1" = mount ]; then
    mkdir -p "$folder"
    { mountpoint -q "$folder" || mount -t tmpfs -o size=256k,mode=755 varnolt-small-drive "$folder" 2>/dev/null; } &&
        ln -sfn "$folder" "$link" || echo "cannot mount a tmpfs on $folder: the full-disk walk will be skipped"
else
    rm -f "$link"
    ! mountpoint -q "$folder" || umount "$folder"
    rmdir "$folder" 2>/dev/null
fi
exit 0
