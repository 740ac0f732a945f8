#!/usr/bin/env bash
# Compiles every source of the hook for the phone's target with nothing but the
# runtime's C declarations in reach: no platform C++ header, no C or C++
# library header. Objects only: this LLVM has no linker for that target.
set -euo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/include/objc"
cp "$source_dir/platform/objc/runtime.h" "$work/include/objc/"
status=0
for src in "$source_dir"/hook/*.cpp; do
  if ! clang++ -target armv7-apple-ios5.0 -std=c++17 -ffreestanding -nostdinc -nostdinc++ \
      -Wall -Wextra -Werror -I "$work/include" -I "$source_dir/hook" \
      -c "$src" -o "$work/$(basename "$src").o"; then
    echo "FAILED for the phone's target: $src"
    status=1
  fi
done
[[ $status -eq 0 ]] && echo "every hook source compiles for armv7-apple-ios5.0"
exit $status
