#!/bin/sh
# Runs a cross-compiled test program under Wine with a private prefix inside the build
# tree, so that the tests never use or change the user's own Wine configuration.
set -e
: "${WINEPREFIX:=${QUARNEL_WINEPREFIX:-$(pwd)/wineprefix}}"
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
exec /usr/lib/wine/wine64 "$@"
