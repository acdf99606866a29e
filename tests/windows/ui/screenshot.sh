#!/bin/sh
# screenshot.sh PICTURE.png GEOMETRY: saves the part GEOMETRY (WxH+X+Y) of the X
# screen as a small palette PNG. Run by the dialog tests under Xvfb.
set -eu
picture=$1
geometry=$2
import -window root -crop "$geometry" +repage -strip -colors 64 "PNG8:$picture.part"
mv "$picture.part" "$picture"
