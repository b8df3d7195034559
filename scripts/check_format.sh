#!/bin/sh
# Fails when a source file differs from .clang-format (clang-format-14,
# Debian 12's own, or clang-format when that is absent).
# Usage: scripts/check_format.sh
set -e
cd "$(dirname "$0")/.."
cf=clang-format-14
command -v "$cf" >/dev/null 2>&1 || cf=clang-format
find src tests tools bench fuzz \( -name '*.h' -o -name '*.cpp' \) -print | sort |
    xargs "$cf" --dry-run --Werror
