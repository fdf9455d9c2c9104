// Prints how long one Scan of the alias and hardware-address modules takes
// in each case that matters, on the scanning side of a lab (run it through
// lab/bench-names.sh). Medians of several runs; figures, not checks.
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/lab_side.h"
#include "tests/support/network_sandbox.h"
#include "tests/support/plugin_module.h"
#include "tests/support/raw_socket_right.h"

namespace {

void ForgetNeighbours() {
  if (std::system("ip neigh flush dev br0") != 0) std::fprintf(stderr, "ip neigh flush failed\n");
}

// Runs `prepare` (untimed) and one Scan `runs` times; prints the median.
void Measure(const char* what, ScanFunction scan, const char* address, int runs,
             const std::function<void()>& prepare, bool withoutRawSockets = false) {
  std::vector<double> milliseconds;
  std::string text;
  int32_t result = 0;
  for (int run = 0; run < runs; ++run) {
    prepare();
    auto once = [&] {
      char buffer[1024] = "";
      const auto start = std::chrono::steady_clock::now();
      result = scan(Ipv4(address), buffer, sizeof buffer);
      const auto took = std::chrono::steady_clock::now() - start;
      milliseconds.push_back(std::chrono::duration<double, std::milli>(took).count());
      text = buffer;
    };
    if (withoutRawSockets) {
      std::thread thread([&] {
        if (DropRawSocketRight()) once();
      });
      thread.join();
    } else {
      once();
    }
  }
  std::sort(milliseconds.begin(), milliseconds.end());
  const double median = milliseconds.empty() ? 0 : milliseconds[milliseconds.size() / 2];
  std::printf("%-58s %-13s %10.3f ms  (median of %d)  result %d \"%s\"\n", what, address, median,
              runs, result, text.c_str());
}

}  // namespace

int main() {
  const std::string whyNot = WhyNotOnLabSide();
  if (!whyNot.empty()) {
    std::fprintf(stderr, "names_bench: not in a lab (run lab/bench-names.sh): %s\n", whyNot.c_str());
    return 1;
  }
  PluginModule names{DNSNAMES_MODULE};
  PluginModule link{LINKADDR_MODULE};
  if (!names.loaded() || !link.loaded()) {
    std::fprintf(stderr, "cannot load the modules: %s %s\n", names.error().c_str(),
                 link.error().c_str());
    return 1;
  }
  const auto nothing = [] {};
  std::printf("one Scan, wall time\n");
  Measure("dnsnames, hosts file", names.Scan, "198.18.0.10", 21, nothing);
  Measure("dnsnames, DNS server (two PTR names)", names.Scan, "198.18.0.11", 21, nothing);
  Measure("dnsnames, DNS server (one PTR name)", names.Scan, "198.18.0.12", 21, nothing);
  Measure("dnsnames, no entry anywhere", names.Scan, "198.18.0.99", 21, nothing);
  // Resolved: the previous run left it in the kernel's table? Only the
  // kernel path does; make sure with one datagram.
  Measure("linkaddr, resolved host (in the neighbour table)", link.Scan, "198.18.0.10", 21, [] {
    if (std::system("bash -c 'echo -n x >/dev/udp/198.18.0.10/9'; sleep 0.05") != 0) return;
  });
  Measure("linkaddr, present host, not resolved (own ARP request)", link.Scan, "198.18.0.11", 21,
          ForgetNeighbours);
  Measure("linkaddr, present host, not resolved (kernel asks)", link.Scan, "198.18.0.12", 21,
          ForgetNeighbours, true);
  Measure("linkaddr, absent host (own ARP request)", link.Scan, "198.18.0.99", 3, ForgetNeighbours);
  Measure("linkaddr, absent host (kernel asks)", link.Scan, "198.18.0.98", 3, ForgetNeighbours,
          true);
  Measure("linkaddr, off-subnet address", link.Scan, "198.19.0.5", 21, nothing);
  return 0;
}
