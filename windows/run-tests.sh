#!/usr/bin/env bash
# The Windows part of the test run: builds the 32-bit plug-in DLLs and their
# zip, checks the DLLs' export and import tables, and runs the Windows test
# host over them under 32-bit Wine (through qemu-i386) in a network namespace
# of its own, with snmpd, a hosts file and Xvfb. Needs root.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build=$source_dir/build/windows-x86
begin_all=$(date +%s)
elapsed() { echo $(($(date +%s) - $1)); }

if [ "$(id -u)" -ne 0 ]; then
  echo "windows/run-tests.sh: skipped, needs root (network namespace, binfmt_misc, Wine under qemu)"
  exit 0
fi

bash tools/install-deps.sh windows

begin=$(date +%s)
cmake --preset windows-x86 >/dev/null
cmake --build --preset windows-x86 -j2
cmake --build --preset windows-x86 --target package-dlls
echo "build: $(elapsed "$begin") s"

dlls=()
for plugin in agentlabel agentclock dnsnames linkaddr; do dlls+=("$build/dlls/$plugin.dll"); done
echo "== export and import tables"
status=0
bash windows/check-dlls.sh "${dlls[@]}" || status=1
# The check itself must refuse an image that is not a plug-in DLL.
if bash windows/check-dlls.sh "$build/windows/probe_dll_host.exe" >/dev/null; then
  echo "FAIL check-dlls.sh accepted the test host executable"
  status=1
fi
echo "== sizes"
for dll in "${dlls[@]}" "$build"/probe-columns-*-win32.zip; do
  [ -f "$dll" ] && printf '%8d bytes  %s\n' "$(stat -c %s "$dll")" "$(basename "$dll")"
done

# Everything created below is undone on exit, whatever happens.
scratch=$(mktemp -d "$build/wine-run.XXXXXX")
mounted_binfmt=0
registered_binfmt=""
undo() {
  local code=$?
  trap - EXIT
  [ -n "$registered_binfmt" ] && echo -1 >"/proc/sys/fs/binfmt_misc/$registered_binfmt"
  [ "$mounted_binfmt" -eq 1 ] && umount /proc/sys/fs/binfmt_misc
  rm -rf "$scratch"
  echo "Windows part: $(elapsed "$begin_all") s in all"
  exit "$code"
}
trap undo EXIT

# 32-bit Wine is an i386 Linux program; this kernel runs it through qemu.
binfmt=/proc/sys/fs/binfmt_misc
if ! mountpoint -q "$binfmt"; then
  mount -t binfmt_misc binfmt_misc "$binfmt"
  mounted_binfmt=1
fi
i386_magic=7f454c4601010100000000000000000002000300
if ! grep -lqs "^magic $i386_magic" "$binfmt"/* 2>/dev/null; then
  registered_binfmt=probe-columns-i386
  printf '%s' ":$registered_binfmt:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:/usr/bin/qemu-i386:F" \
    >"$binfmt/register"
fi

# The test network: see windows/test_network.h for what the host expects.
cat >"$scratch/hosts" <<HOSTS
127.0.0.1 localhost
127.0.1.1 $(hostname)
127.0.0.5 official5 alpha beta
127.0.0.6 official6 alpha
127.0.0.7 official7
HOSTS
echo "nameserver 127.0.0.1" >"$scratch/resolv.conf"
cat >"$scratch/snmpd.conf" <<'CONF'
agentaddress udp:127.0.0.1:161
rocommunity varnek
sysdescr Probe Columns test agent
CONF
cat >"$scratch/silent-snmpd.conf" <<'CONF'
agentaddress udp:127.0.0.3:161
rocommunity another-community
CONF

echo "== test host under 32-bit Wine"
to_windows() { echo "Z:${1//\//\\}"; }
unshare --net --mount --pid --mount-proc --fork --kill-child \
  bash windows/wine-sandbox.sh "$scratch" "$build/wine-prefix" \
  "$(to_windows "$build/windows/probe_dll_host.exe")" "$(to_windows "$build/dlls")" || status=1
exit "$status"
