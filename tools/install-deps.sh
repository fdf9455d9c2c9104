#!/usr/bin/env bash
# Installs what the project needs on a fresh Debian 12 machine (run as root).
#   install-deps.sh native    compilers, test libraries, the real peers
#   install-deps.sh windows   the mingw-w64 cross compiler, 32-bit Wine, Xvfb
#   install-deps.sh bench     the tools the benchmarks compare against
#   install-deps.sh all       everything above
set -euo pipefail

native=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev
        libbenchmark-dev libcli11-dev snmpd snmp dnsmasq-base iproute2 procps binutils)
windows=(g++-mingw-w64-i686 binutils-mingw-w64-i686 zip wine wine32:i386 wine64 qemu-user
         xvfb xdotool)
bench=(nmap onesixtyone hyperfine time)

wanted=()
for group in "${@:-native}"; do
  case "$group" in
    native) wanted+=("${native[@]}") ;;
    windows) wanted+=("${windows[@]}") ;;
    bench) wanted+=("${bench[@]}") ;;
    all) wanted+=("${native[@]}" "${windows[@]}" "${bench[@]}") ;;
    *) echo "install-deps.sh: unknown group '$group' (native, windows, bench, all)" >&2; exit 2 ;;
  esac
done

missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps.sh: missing packages (${missing[*]}); run as root to install them" >&2
  exit 1
fi
if printf '%s\n' "${missing[@]}" | grep -q ':i386$'; then
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# snmpd's package would start a system agent; the tests run their own.
policy=/usr/sbin/policy-rc.d
created_policy=0
if [ ! -e "$policy" ]; then printf '#!/bin/sh\nexit 101\n' > "$policy"; chmod +x "$policy"; created_policy=1; fi
apt-get install -y -qq "${missing[@]}"
[ "$created_policy" -eq 1 ] && rm -f "$policy"
exit 0
