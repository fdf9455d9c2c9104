#!/usr/bin/env bash
# Runs inside the private network, mount and pid namespaces that
# run-tests.sh creates: brings up loopback, puts the test hosts file and resolv.conf in
# place, starts snmpd and Xvfb, then the wineserver and the test host under
# 32-bit Wine. Stops everything it started, by pid, when it ends; should it
# be killed itself, the kernel ends the rest with its pid namespace.
#   wine-sandbox.sh SCRATCH-DIR WINE-PREFIX HOST-EXE DLL-DIR
set -euo pipefail

scratch=$1 prefix=$2 host=$3 dlls=$4
started=()

stop_started() {
  local status=$?
  trap - EXIT
  # Ends every Wine process of this prefix, then the server itself below.
  if [ -n "${WINEPREFIX:-}" ]; then timeout 30 wineserver -k 2>/dev/null || true; fi
  local index
  for ((index = ${#started[@]} - 1; index >= 0; index--)); do
    kill "${started[index]}" 2>/dev/null || true
    wait "${started[index]}" 2>/dev/null || true
  done
  exit "$status"
}
trap stop_started EXIT

elapsed() { echo $(($(date +%s) - $1)); }

ip link set lo up
# A private /tmp keeps the wineserver's and Xvfb's sockets and locks apart
# from anything else on the machine; it goes away with the namespace.
mount -t tmpfs -o mode=1777 tmpfs /tmp
mount --bind "$scratch/hosts" /etc/hosts
mount --bind "$scratch/resolv.conf" /etc/resolv.conf

# The agent, and a silent one that ignores the plug-ins' community.
for agent in snmpd silent-snmpd; do
  SNMP_PERSISTENT_DIR="$scratch/$agent-state" MIBDIRS="$scratch" \
    snmpd -f -Lf "$scratch/$agent.log" -C -c "$scratch/$agent.conf" -m "" -p "$scratch/$agent.pid" &
  started+=($!)
done

Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$scratch/display" \
  >"$scratch/xvfb.log" 2>&1 &
started+=($!)
for ((attempt = 0; attempt < 100; attempt++)); do
  [ -s "$scratch/display" ] && break
  sleep 0.1
done
[ -s "$scratch/display" ] || { echo "wine-sandbox: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -1 "$scratch/display")"

export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:-fixme-all}
# qemu-i386 gives a 32-bit guest all 4 GB by default and, once the low
# addresses are taken, places mappings just below 2 GB, where 32-bit Wine
# needs its shared user data page (0x7ffe0000). With the 3 GB user space of
# an i386 Linux kernel, the layout Wine is made for, that page stays free.
export QEMU_RESERVED_VA=0xc0000000
# No prompts for the .NET and HTML engines, which the host does not need.
export WINEDLLOVERRIDES="mscoree,mshtml="
# A prefix whose 32-bit half is missing (an earlier creation that failed)
# is made again from scratch.
fresh_prefix=0
if [ ! -f "$prefix/drive_c/windows/syswow64/kernel32.dll" ]; then
  rm -rf "$prefix"
  fresh_prefix=1
fi
mkdir -p "$prefix"
# The first Wine process of the namespace: every socket of the host lives
# in it, so it must run here, beside snmpd.
wineserver -f -p &
started+=($!)

if [ "$fresh_prefix" -eq 1 ]; then
  begin=$(date +%s)
  /usr/lib/wine/wine64 wineboot -i >"$scratch/wineboot.log" 2>&1
  echo "Wine prefix created in $(elapsed "$begin") s"
fi

begin=$(date +%s)
# Bounded: a normal run takes about a minute and a half under qemu; a box
# that never shows would otherwise keep Options waiting for ever.
status=0
timeout 600 /usr/lib/wine/wine "$host" "$dlls" || status=$?
echo "test host under 32-bit Wine: $(elapsed "$begin") s"
exit "$status"
