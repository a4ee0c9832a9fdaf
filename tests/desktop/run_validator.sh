#!/bin/sh
# Runs a desktop-file validator; skips (status 77) with the reason when it is not installed.
tool=$1
shift
if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed (scripts/setup installs it)"
    exit 77
fi
exec "$tool" "$@"
