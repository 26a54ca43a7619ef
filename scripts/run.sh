#!/usr/bin/env bash
# Starts the application (with the files given after it); without a display, says how to
# start it under xvfb-run.
set -eu
exe="$1"
shift
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Keine Anzeige gefunden (DISPLAY ist nicht gesetzt)." >&2
    echo "No display found. Start the application under a virtual display with:" >&2
    echo "    xvfb-run -a $exe $*" >&2
    exit 1
fi
exec "$exe" "$@"
