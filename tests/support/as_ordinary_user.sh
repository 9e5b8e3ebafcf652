#!/usr/bin/env bash
# Runs a command as an ordinary user: as it is, or as the user nobody when run as root (for
# whom no folder or file is read-only). Exits 77 (skipped) when root cannot become nobody.
set -euo pipefail
if [ "$(id -u)" != 0 ]; then exec "$@"; fi
if ! command -v setpriv >/dev/null || ! id nobody >/dev/null 2>&1; then
    echo "as_ordinary_user: no setpriv or no user nobody, skipped"
    exit 77
fi
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
chown nobody "$home"
setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups \
    env HOME="$home" TMPDIR="$home" XDG_RUNTIME_DIR="$home" "$@"
