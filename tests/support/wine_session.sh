#!/usr/bin/env bash
# Starts or ends the wine session that the tests of a Windows build share: one wine server for the
# whole run, and wine's own background programs brought up once, before test programs start side
# by side (several of them bringing those up at once can leave one hanging at its exit). The wine
# prefix and settings come from the environment.
# Usage: wine_session.sh WINE64 WINESERVER start|stop
set -euo pipefail
wine64=$1 wineserver=$2
case $3 in
    start)
        # Detached from the caller's output, which would otherwise wait for the server to end.
        "$wineserver" -p < /dev/null > /dev/null 2>&1
        "$wine64" wineboot < /dev/null > /dev/null 2>&1
        ;;
    stop)
        "$wineserver" -k || true
        ;;
esac
