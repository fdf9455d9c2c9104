#!/usr/bin/env bash
# The lab's own life: `up` makes what the lab's README promises (addresses,
# hardware addresses, agents, names), `up` again starts afresh, `down` leaves
# no namespace, process or file behind and may be repeated. Exit 77 without
# root.
set -uo pipefail
labctl=$(cd "$(dirname "$0")/../lab" && pwd)/labctl
name=${1:-lifecycle}
state=/run/probe-lab/$name

if [ "$(id -u)" -ne 0 ]; then
  echo "skipping: the lab needs root to create network namespaces"
  exit 77
fi

failures=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1; shift
  if "$@" >/dev/null 2>&1; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}
in_scan() { "$labctl" exec "$name" -- "$@"; }
lab_namespaces() { ip netns list | awk '{print $1}' | grep -E "^$name-(scan|void|h[0-9]+)$"; }
pids_of() { cat "$state"/*.pid 2>/dev/null; }
none_alive() {  # none of the pids is a live (not zombie) process
  local pid status
  for pid in "$@"; do
    status=$(awk '/^State:/ {print $2}' "/proc/$pid/status" 2>/dev/null)
    [ -n "$status" ] && [ "$status" != Z ] && return 1
  done
  return 0
}
trap '"$labctl" down "$name"' EXIT

"$labctl" down "$name"  # a lab that never existed
check "up" "$labctl" up "$name"
check "seven namespaces" test "$(lab_namespaces | wc -l)" -eq 7
check "scanning side 198.18.0.1 at 0a:1b:2c:3d:4e:01" \
  bash -c "'$labctl' exec '$name' -- ip -br link show br0 | grep -q 0a:1b:2c:3d:4e:01"
for octet in 10 11 12 20 21; do
  check "host .$octet at 0a:1b:2c:3d:4e:$octet" \
    bash -c "ip -n '$name-h$octet' -br link show eth0 | grep -q 0a:1b:2c:3d:4e:$octet &&
             ip -n '$name-h$octet' -br addr show eth0 | grep -q 198.18.0.$octet/24"
done
for octet in 10 11 12; do
  check "snmpd of .$octet answers" in_scan snmpget -v1 -c varnek -m "" -t 1 -r 1 -On "198.18.0.$octet" 1.3.6.1.2.1.1.1.0
done
check "sysDescr of .10" bash -c "'$labctl' exec '$name' -- snmpget -v1 -c varnek -m '' -Oqv 198.18.0.10 1.3.6.1.2.1.1.1.0 | grep -qx '\"Lab router 1\"'"
check "hosts file" bash -c "'$labctl' exec '$name' -- getent hosts 198.18.0.10 | grep -q 'router.lab alpha beta'"
check "PTR from dnsmasq" bash -c "'$labctl' exec '$name' -- getent hosts 198.18.0.12 | grep -q printer.lab"
# A connected UDP socket learns of a port-unreachable on its next send.
udp_second_send() { in_scan bash -c "exec 3>/dev/udp/$1/161; echo -n x >&3; sleep 0.3; echo -n x >&3"; }
fails() { ! "$@"; }
check ".21 answers UDP 161 with port unreachable" fails udp_second_send 198.18.0.21
check ".20 answers nothing, not even ICMP" udp_second_send 198.18.0.20
check "icmp_ratemask 0" bash -c "ip netns exec '$name-h21' sysctl -n net.ipv4.icmp_ratemask | grep -qx 0"

first_pids=$(pids_of)
check "up again" "$labctl" up "$name"
# shellcheck disable=SC2086
check "up again stopped the first processes" none_alive $first_pids
check "still seven namespaces" test "$(lab_namespaces | wc -l)" -eq 7

pids=$(pids_of)
check "down" "$labctl" down "$name"
# shellcheck disable=SC2086
check "no process left" none_alive $pids
check "no namespace left" test -z "$(lab_namespaces)"
check "no netns files left" test ! -e "/etc/netns/$name-scan"
check "no state left" test ! -e "$state"
check "down again" "$labctl" down "$name"

# What a partial `up` may have left: some namespaces, a link, the netns files.
ip netns add "$name-scan" && ip netns add "$name-h10"
ip -n "$name-scan" link add h10 type veth peer name eth0 netns "$name-h10"
mkdir -p "/etc/netns/$name-scan" "$state"
check "down after a partial up" "$labctl" down "$name"
check "nothing left of it" bash -c "[ -z \"\$(ip netns list | grep '^$name-')\" ] && [ ! -e /etc/netns/$name-scan ] && [ ! -e $state ]"

trap - EXIT
echo "$failures failed"
[ "$failures" -eq 0 ]
