#!/bin/sh
# Runs a cross-compiled test program under Wine with a private prefix inside the build
# tree, so that the tests never use or change the user's own Wine configuration.
set -e
: "${WINEPREFIX:=${QUARNEL_WINEPREFIX:-$(pwd)/wineprefix}}"
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine keeps the build machine's QT_* variables from Windows programs (they would steer
# Qt programs of the build machine instead) and passes WINEQT_* on as QT_*: without this
# the tests would run on the Windows platform plugin with the system's fonts, whatever
# QT_QPA_PLATFORM, QT_QPA_FONTDIR and QT_PLUGIN_PATH say.
for name in $(env | sed -n 's/^\(QT_[A-Za-z0-9_]*\)=.*/\1/p'); do
    eval "WINE$name=\$$name"
    export "WINE$name"
done
# The folders of the DLLs the program needs (Qt, OpenSSL, the MinGW runtime), given as
# build-machine folders joined by ":"; Wine wants drive paths joined by ";".
if [ -n "${QUARNEL_WINEPATH:-}" ]; then
    WINEPATH=$(printf '%s' "$QUARNEL_WINEPATH" | awk -v RS=: -v ORS=';' '{ print "Z:" $0 }')
    export WINEPATH
fi
# A Qt Test program under Wine writes its log to the debugger, not to the output it was
# given: QUARNEL_QTEST_LOG=1 has it write a file, which is printed when it ends.
if [ "${QUARNEL_QTEST_LOG:-}" = 1 ]; then
    program=$1
    shift
    log=$(mktemp /tmp/quarnel-qtest.XXXXXX)
    status=0
    /usr/lib/wine/wine64 "$program" -o "Z:$log,txt" "$@" || status=$?
    cat "$log"
    rm -f "$log"
    exit "$status"
fi
exec /usr/lib/wine/wine64 "$@"
