#!/usr/bin/env bash
# The layer check on small trees of one include each: it must let every
# downward include pass and stop every upward one.
#   check-layers-test.sh SOURCE_DIR
set -euo pipefail
check=$1/scripts/check-layers.py
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# including file | included header | expected (pass or fail)
cases='
platform/Foundation/NSData.cpp|Device/DeviceFolder.h|pass
platform/Foundation/NSData.cpp|objc/NSObject.h|pass
platform/UIKit/UIView.cpp|QuartzCore/CALayer.h|pass
platform/MessageUI/Sheet.cpp|UIKit/UIView.h|pass
platform/Device/DeviceHost.cpp|MessageUI/Sheet.h|pass
app/main.cpp|Device/DeviceHost.h|pass
hook/Hook.cpp|objc/runtime.h|pass
platform/objc/NSObject.cpp|Foundation/NSString.h|fail
platform/Foundation/NSValue.h|CoreGraphics/CGGeometry.h|fail
platform/UIKit/UIApplication.cpp|Device/DeviceHost.h|fail
platform/UIKit/UIView.cpp|MessageUI/Sheet.h|fail
platform/Device/DeviceFolder.cpp|objc/NSObject.h|fail
platform/Foundation/NSData.cpp|app/Classes/Cell.h|fail
hook/Hook.cpp|objc/NSObject.h|fail
'
failures=0
while IFS='|' read -r file header expected; do
  [[ -n $file ]] || continue
  rm -rf "$work/tree" && mkdir -p "$work/tree/$(dirname "$file")"
  echo "#include \"$header\"" >"$work/tree/$file"
  if python3 "$check" "$work/tree" >"$work/out"; then got=pass; else got=fail; fi
  if [[ $got != "$expected" ]]; then
    echo "$file including $header: expected $expected, got $got"
    cat "$work/out"
    failures=$((failures + 1))
  fi
done <<<"$cases"
((failures == 0)) && echo "the layer check passes every downward include and stops every upward one"
exit $((failures > 0))
