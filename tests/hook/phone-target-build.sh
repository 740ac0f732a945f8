#!/usr/bin/env bash
# The 32-bit phone's target: objects only, since no linker for it exists here
# (the 64-bit build links and packages: hook/phone/build.sh).
set -euo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$source_dir/hook/phone/compile.sh" armv7-apple-ios5.0 clang++ "$source_dir" "$work"
echo "every hook source compiles for armv7-apple-ios5.0"
