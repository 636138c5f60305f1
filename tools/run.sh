#!/usr/bin/env bash
# Starts the program under Wine in a virtual desktop (placeholder until the run tooling lands).
set -euo pipefail
cd "$(dirname "$0")/.."
exec tools/wine-run.sh --build-dir build/win32 --prefix build/win32/run-prefix -- \
  explorer /desktop=dialwright,800x600 "build/win32/Dialwright VPN 1.0.exe"
