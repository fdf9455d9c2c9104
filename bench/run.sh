#!/usr/bin/env bash
# Speed figures of scanhost beside nmap and onesixtyone, each the median of
# several runs measured in this one run (wall and CPU = user + system):
#   - 254 loopback addresses answered by one snmpd on 0.0.0.0:161, SysDescr only
#   - the same 254 addresses with nothing listening (port unreachable)
#   - peak memory over a /16 and a /24 of loopback addresses, port closed
#   - a /24 of the lab where nothing answers, all four columns, defaults
#   - the lab's /24 with all four columns
# The loopback figures come from a private network namespace of their own;
# the lab ones from the lab (lab/README.md). Run as root after building:
#   bash bench/run.sh [BUILD_DIR] [RUNS]      (default build/default, 5 runs)
# Not part of CI. Installs the tools it compares against (install-deps bench).
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/default}")
runs=${2:-5}
here=$(pwd)

if [ "${BENCH_PART:-}" = "" ]; then
  [ "$(id -u)" -eq 0 ] || { echo "bench/run.sh: run as root (network namespaces)" >&2; exit 1; }
  bash tools/install-deps.sh bench
  [ -x "$build/scanhost/scanhost" ] || { echo "bench/run.sh: build first (no $build/scanhost/scanhost)" >&2; exit 1; }
fi

scanhost=$build/scanhost/scanhost
agentlabel=$build/agentlabel/agentlabel.so
work=${BENCH_WORK:-$(mktemp -d)}

# measure LABEL RUNS CMD...: runs CMD RUNS times (output dropped) and prints
# LABEL, the median wall seconds, the median CPU seconds and the median peak
# resident memory in KiB; also keeps "LABEL wall cpu" in $work/figures.
measure() {
  local label=$1 count=$2 i
  shift 2
  : >"$work/samples"
  local TIMEFORMAT='%3R %3U %3S'
  for ((i = 0; i < count; i++)); do
    # bash's time for wall and CPU to the millisecond; GNU time for the peak.
    { time /usr/bin/time -f '%M' -o "$work/peak" "$@" >/dev/null 2>"$work/stderr"; } 2>"$work/one" || true
    echo "$(tail -n 1 "$work/one") $(tail -n 1 "$work/peak")" >>"$work/samples"
  done
  awk -v label="$label" '
    { wall[NR] = $1; cpu[NR] = $2 + $3; rss[NR] = $4 }
    function median(a, n,   i, j, t) {
      for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
      return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
    }
    END { n = NR; printf "%-44s wall %7.3f s  cpu %7.3f s  peak %7d KiB  (%d runs)\n", label, median(wall, n), median(cpu, n), median(rss, n), n
          printf "%s|%f|%f\n", label, median(wall, n), median(cpu, n) >> "'"$work/figures"'" }' "$work/samples"
}

# ratio A B: A's wall time and CPU time as multiples of B's.
ratio() {
  awk -F'|' -v a="$1" -v b="$2" '
    $1 == a { aw = $2; ac = $3 } $1 == b { bw = $2; bc = $3 }
    END { if (bw > 0) printf "  %s / %s: wall %.3fx, cpu %.3fx\n", a, b, aw / bw, (bc > 0 ? ac / bc : 0) }' "$work/figures"
}

start_agent() {
  mkdir -p "$work/snmpd/state"
  printf 'agentaddress udp:0.0.0.0:161\nrocommunity varnek\nsysdescr Bench agent on loopback\n' >"$work/snmpd/snmpd.conf"
  SNMP_PERSISTENT_DIR=$work/snmpd/state MIBDIRS=$work/snmpd \
    snmpd -f -Lo -C -c "$work/snmpd/snmpd.conf" -m "" >"$work/snmpd/log" 2>&1 &
  agent=$!
  # Bounded wait until it answers on 127.0.1.1.
  for _ in $(seq 50); do
    "$scanhost" -q --format csv --plugin "$agentlabel" 127.0.1.1 | grep -q 'Bench agent' && return 0
    sleep 0.1
  done
  echo "snmpd did not answer; its log:" >&2; cat "$work/snmpd/log" >&2; return 1
}

stop_agent() {
  kill "$agent" 2>/dev/null || true
  wait "$agent" 2>/dev/null || true
}

loopback_part() {
  ip link set lo up
  sysctl -qw net.ipv4.icmp_ratemask=0
  printf '127.0.1.%d\n' $(seq 1 254) >"$work/hosts"
  echo varnek >"$work/communities"
  local nmap=(nmap -n -Pn -sU -p161 --script snmp-sysdescr --script-args creds.snmp=:varnek 127.0.1.1-254)

  echo "== 254 loopback addresses, one snmpd on 0.0.0.0:161, SysDescr column only"
  start_agent
  trap stop_agent EXIT
  "$scanhost" -q --format csv --plugin "$agentlabel" 127.0.1.1-254 >"$work/answered.csv"
  echo "  (scanhost rows with the agent's text: $(grep -c 'Bench agent' "$work/answered.csv") of 254)"
  measure "answered: scanhost" "$runs" "$scanhost" -q --format csv --plugin "$agentlabel" 127.0.1.1-254
  measure "answered: nmap snmp-sysdescr" "$runs" "${nmap[@]}"
  measure "answered: onesixtyone" 3 onesixtyone -c "$work/communities" -i "$work/hosts"
  ratio "answered: scanhost" "answered: nmap snmp-sysdescr"
  ratio "answered: scanhost" "answered: onesixtyone"
  stop_agent
  trap - EXIT

  echo "== the same 254 addresses, nothing listening (port unreachable)"
  measure "closed: scanhost" "$runs" "$scanhost" -q --format csv --plugin "$agentlabel" 127.0.1.1-254
  measure "closed: nmap snmp-sysdescr" "$runs" "${nmap[@]}"
  ratio "closed: scanhost" "closed: nmap snmp-sysdescr"

  echo "== peak memory, port closed, SysDescr column, CSV streamed"
  measure "memory: scanhost /24 127.1.0.0/24" 3 "$scanhost" -q --format csv --plugin "$agentlabel" 127.1.0.0/24
  measure "memory: scanhost /16 127.1.0.0/16" 3 "$scanhost" -q --format csv --plugin "$agentlabel" 127.1.0.0/16
}

lab_part() {
  echo "== the lab, all four columns, default settings"
  measure "lab: silent /24 198.18.1.0/24" 3 "$scanhost" -q --format csv 198.18.1.0/24
  measure "lab: hosts /24 198.18.0.0/24" 3 "$scanhost" -q --format csv 198.18.0.0/24
}

case "${BENCH_PART:-}" in
  loopback) loopback_part; exit 0 ;;
  lab) lab_part; exit 0 ;;
esac

trap 'rm -rf "$work"' EXIT
echo "scanhost benchmarks, $(date -u +%Y-%m-%dT%H:%MZ), $(nproc) cores, medians"
BENCH_PART=loopback BENCH_WORK=$work unshare -n bash "$here/bench/run.sh" "$build" "$runs"
lab=bench
trap 'lab/labctl down "$lab" >/dev/null 2>&1; rm -rf "$work"' EXIT
lab/labctl up "$lab" >/dev/null
BENCH_PART=lab BENCH_WORK=$work lab/labctl exec "$lab" -- bash "$here/bench/run.sh" "$build" "$runs"
