#!/bin/sh
# Prepares the private Wine prefix of the cross-check: created once, with the null
# graphics driver so that window tests run without a display.
set -e
prefix=${1:?usage: wine-prefix.sh PREFIX}
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$prefix/.quarnel-ready" ]; then
    /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    /usr/lib/wine/wineserver -w
    touch "$prefix/.quarnel-ready"
fi
