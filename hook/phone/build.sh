#!/usr/bin/env bash
# Builds korvelhook for the 64-bit phone and packages it as tweaks ship: a
# Mach-O arm64 library linked against the stubs beside this script, its filter
# property list, and a control file, in a Debian package.
# Usage: build.sh SOURCE_DIR OUT_DIR; prints the package's path last.
set -euo pipefail
source_dir=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
phone=$source_dir/hook/phone
install_dir=/Library/MobileSubstrate/DynamicLibraries
# The oldest system this build is for, and the SDK version the stubs stand for.
min_os=12.0 sdk=14.0

objects=$out/objects
rm -rf "$objects"
"$phone/compile.sh" "arm64-apple-ios$min_os" clang++-19 "$source_dir" "$objects"
# Even a jailbroken phone maps only signed code: the ad-hoc signature is the one
# its loader accepts from a tweak.
ld64.lld-19 -arch arm64 -platform_version ios "$min_os" "$sdk" -dylib -dead_strip -adhoc_codesign \
  -install_name "$install_dir/korvelhook.dylib" -o "$out/korvelhook.dylib" \
  "$objects"/*.o "$phone/libobjc.tbd" "$phone/libSystem.tbd"

stage=$out/package
rm -rf "$stage"
mkdir -p "$stage/DEBIAN" "$stage$install_dir"
install -m 0755 "$out/korvelhook.dylib" "$stage$install_dir/"
install -m 0644 "$source_dir/hook/korvelhook.plist" "$stage$install_dir/"
version=$(tr -d '[:space:]' < "$source_dir/VERSION")
installed_kib=$(du -sk --exclude=DEBIAN "$stage" | cut -f1)
sed -e "s/@VERSION@/$version/" -e "s/@INSTALLED_SIZE@/$installed_kib/" "$phone/control" > "$stage/DEBIAN/control"

field() { sed -n "s/^$1: //p" "$stage/DEBIAN/control"; }
deb=$out/$(field Package)_${version}_$(field Architecture).deb
rm -f "$out"/*.deb
dpkg-deb --root-owner-group --build "$stage" "$deb" >/dev/null
echo "$deb"
