#!/usr/bin/env bash
# Compiles every source of the hook for one of the phone's targets with nothing
# but the runtime's C declarations in reach: no platform C++ header, no C or C++
# library header.
# Usage: compile.sh TARGET COMPILER SOURCE_DIR OUT_DIR
set -euo pipefail
target=$1 compiler=$2 source_dir=$3 out=$4
mkdir -p "$out/include/objc"
cp "$source_dir/platform/objc/runtime.h" "$out/include/objc/"
status=0
for src in "$source_dir"/hook/*.cpp; do
  # No C++ runtime is linked on the phone: no exceptions, no type information,
  # and no guard functions for the one function-local static, which the
  # initializer fills on the loading thread before anything else runs.
  # Hidden visibility: the library exports nothing.
  if ! "$compiler" -target "$target" -std=c++17 -ffreestanding -nostdinc -nostdinc++ \
      -fno-exceptions -fno-rtti -fno-threadsafe-statics -fvisibility=hidden -O2 \
      -Wall -Wextra -Werror -I "$out/include" -I "$source_dir/hook" \
      -c "$src" -o "$out/$(basename "$src").o"; then
    echo "FAILED for $target: $src"
    status=1
  fi
done
exit $status
