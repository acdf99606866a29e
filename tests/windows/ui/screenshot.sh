#!/bin/sh
# screenshot.sh PICTURE.png GEOMETRY: saves the part GEOMETRY (WxH+X+Y) of the X
# screen as a small palette PNG. Run by the dialog tests under Xvfb; a picture
# of a single colour (nothing drawn there yet) is not kept.
set -eu
picture=$1
geometry=$2
import -window root -crop "$geometry" +repage -strip -colors 64 "PNG8:$picture.part"
if [ "$(identify -format %k "$picture.part")" -lt 2 ]; then
    rm -f "$picture.part"
    exit 1
fi
mv "$picture.part" "$picture"
