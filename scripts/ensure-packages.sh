#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the demo need
# or, with "phone", the toolchain of the hook's phone build (./package),
# asking the registry only when something is missing.
set -euo pipefail

case "${1:-}" in
  "")
    packages=(
      build-essential cmake pkg-config clang
      libclang-rt-14-dev  # libFuzzer and the sanitizers' runtimes for clang (the fuzz targets)
      libplist-dev libplist++-dev libcairo2-dev libpango1.0-dev libsdl2-dev libutf8proc-dev libgumbo-dev
      libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
      python3 xvfb fonts-dejavu-core
      node-color-name  # a CSS colour-keyword table to check the named colours against
    ) ;;
  # Debian's default LLVM 14 cannot link the phone's arm64 target; 19 can.
  phone) packages=(clang-19 lld-19 llvm-19) ;;
  *) echo "usage: $0 [phone]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing missing packages: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
