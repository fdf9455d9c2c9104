// The alias and hardware-address modules, loaded as a host loads them, on
// the scanning side of a lab (lab/with-lab): a real resolver with a hosts
// file and dnsmasq, real ARP toward test hosts in their own namespaces.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/allocation_counter.h"
#include "tests/support/lab_side.h"
#include "tests/support/network_sandbox.h"
#include "tests/support/open_descriptors.h"
#include "tests/support/plugin_module.h"
#include "tests/support/raw_socket_right.h"

namespace {

// Forgets what the scanning side knows of its neighbours, so that the next
// resolution really asks.
void ForgetNeighbours() { ASSERT_EQ(std::system("ip neigh flush dev br0"), 0); }

bool KernelKnows(const std::string& address) {
  const std::string command = "ip neigh show " + address + " dev br0 | grep -q lladdr";
  return std::system(command.c_str()) == 0;
}

std::string HardwareText(uint32_t lastOctet) {
  char text[32];
  std::snprintf(text, sizeof text, "0A:1B:2C:3D:4E:%02u", lastOctet);
  return text;
}

class NamesLabTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string whyNot = WhyNotOnLabSide();
    if (!whyNot.empty()) GTEST_SKIP() << "not in a lab (run through lab/with-lab): " << whyNot;
    ASSERT_TRUE(names.loaded()) << names.error();
    ASSERT_TRUE(link.loaded()) << link.error();
  }

  struct Scanned {
    int32_t result;
    std::string text;
  };
  static Scanned ScanText(ScanFunction scan, const std::string& address,
                          const std::string& before = "", int32_t textSize = 1024) {
    std::vector<char> text(static_cast<std::size_t>(textSize) + 1, '#');
    text.back() = '!';  // guard byte after the host's buffer
    before.copy(text.data(), before.size());
    text[before.size()] = '\0';
    const int32_t result = scan(Ipv4(address.c_str()), text.data(), textSize);
    EXPECT_EQ(text.back(), '!') << "written past the buffer";
    return {result, text.data()};
  }

  PluginModule names{DNSNAMES_MODULE};
  PluginModule link{LINKADDR_MODULE};
};

struct Row {
  const char* address;
  std::string before;
  int32_t textSize;
  int32_t result;
  std::string after;
};

// The lab's hosts-file entry for 198.18.0.13: 32 aliases of 39 characters,
// more than the resolver's first buffer holds.
std::string ManyAliases() {
  std::string text;
  for (int i = 1; i <= 32; ++i) {
    char alias[64];
    std::snprintf(alias, sizeof alias, "<long-alias-%02d-abcdefghijklmnopqrstuvwxy>", i);
    text += alias;
  }
  return text;
}

TEST_F(NamesLabTest, InfoAndOptionsOfTheLoadedModules) {
  PluginInfo info;
  std::memset(&info, 0xCC, sizeof info);
  info.HostLevel = 3;
  ASSERT_EQ(names.Info(&info), 1);  // the alias column does not look at HostLevel
  EXPECT_STREQ(info.Name, "Aliases");
  EXPECT_STREQ(info.Description, "Aliases 1.0b\nReverse DNS-lookup for aliases.");

  std::memset(&info, 0xCC, sizeof info);
  info.HostLevel = 3;
  PluginInfo before;
  std::memcpy(&before, &info, sizeof info);
  EXPECT_EQ(link.Info(&info), 0);
  EXPECT_EQ(std::memcmp(&info, &before, sizeof info), 0);
  info.HostLevel = 4;
  ASSERT_EQ(link.Info(&info), 1);
  EXPECT_STREQ(info.Name, "ARP MAC");

  EXPECT_EQ(names.Options(nullptr), 1);
  EXPECT_EQ(link.Options(nullptr), 1);
  EXPECT_EQ(names.Init(), 1);
  EXPECT_EQ(names.Finalize(), 1);
  EXPECT_EQ(link.Init(), 1);
  EXPECT_EQ(link.Finalize(), 1);
}

TEST_F(NamesLabTest, AliasesFromTheHostsFileAndFromDns) {
  const Row rows[] = {
      {"198.18.0.13", "", 4096, 1, ManyAliases()},            // a large entry, whole
      {"198.18.0.10", "", 1024, 1, "<alpha><beta>"},          // hosts file line
      {"198.18.0.10", "previous text", 1024, 1, "<alpha><beta>"},
      {"198.18.0.10", "", 9, 1, "<alpha><"},
      {"198.18.0.11", "", 1024, 1, "<core-switch.lab>"},      // two PTR names
      {"198.18.0.11", "previous", 1024, 1, "<core-switch.lab>"},
      {"198.18.0.12", "kept", 1024, 0, "kept"},               // a single PTR name
      {"198.18.0.99", "kept", 1024, 0, "kept"},               // no entry anywhere
      {"198.18.1.7", "", 1024, 0, ""},
  };
  ASSERT_EQ(names.Init(), 1);
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.address) + " from \"" + row.before + "\"");
    const Scanned scanned = ScanText(names.Scan, row.address, row.before, row.textSize);
    EXPECT_EQ(scanned.result, row.result);
    EXPECT_EQ(scanned.text, row.after);
  }
  EXPECT_EQ(names.Finalize(), 1);
}

TEST_F(NamesLabTest, EachHostShowsItsOwnHardwareAddress) {
  ForgetNeighbours();
  ASSERT_EQ(link.Init(), 1);
  for (uint32_t octet : {10u, 11u, 12u, 20u, 21u, 1u}) {
    const std::string address = "198.18.0." + std::to_string(octet);
    SCOPED_TRACE(address);
    const Scanned scanned = ScanText(link.Scan, address, "previous");
    EXPECT_EQ(scanned.result, 1);
    EXPECT_EQ(scanned.text, HardwareText(octet));
  }
  // Cut to the buffer.
  EXPECT_EQ(ScanText(link.Scan, "198.18.0.10", "", 9).text, "0A:1B:2C");
  EXPECT_EQ(link.Finalize(), 1);
}

TEST_F(NamesLabTest, AnAddressTheKernelKnowsIsTakenFromItsTable) {
  // The SNMP-less way to make the kernel resolve it: any datagram.
  ForgetNeighbours();
  ASSERT_EQ(std::system("bash -c 'echo -n x >/dev/udp/198.18.0.12/9'"), 0);
  for (int i = 0; i < 20 && !KernelKnows("198.18.0.12"); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  ASSERT_TRUE(KernelKnows("198.18.0.12"));
  EXPECT_EQ(ScanText(link.Scan, "198.18.0.12").text, HardwareText(12));
}

TEST_F(NamesLabTest, WithoutRawSocketsTheKernelAsks) {
  ForgetNeighbours();
  Scanned present{}, absent{};
  bool dropped = false;
  std::thread unprivileged([&] {
    dropped = DropRawSocketRight();
    if (!dropped) return;
    present = ScanText(link.Scan, "198.18.0.11", "kept");
    absent = ScanText(link.Scan, "198.18.0.98", "kept");
  });
  unprivileged.join();
  ASSERT_TRUE(dropped) << "could not take CAP_NET_RAW away from a thread";
  EXPECT_EQ(present.text, HardwareText(11));
  EXPECT_TRUE(KernelKnows("198.18.0.11")) << "the kernel did not resolve it";
  EXPECT_EQ(absent.result, 1);
  EXPECT_EQ(absent.text, "kept");
}

TEST_F(NamesLabTest, UnansweredAddressesLeaveTheTextAlone) {
  ForgetNeighbours();
  for (const char* address : {"198.18.0.99",   // on the subnet, nobody there
                              "198.18.1.77",   // the silent /24
                              "198.18.0.255",  // the subnet's broadcast address
                              "198.19.0.5",    // on no attached subnet
                              "127.0.0.1"}) {  // loopback does no ARP
    SCOPED_TRACE(address);
    const Scanned scanned = ScanText(link.Scan, address, "kept");
    EXPECT_EQ(scanned.result, 1);
    EXPECT_EQ(scanned.text, "kept");
  }
}

TEST_F(NamesLabTest, NoDescriptorIsLeftOpen) {
  ForgetNeighbours();
  const int before = OpenDescriptors();
  for (const char* address : {"198.18.0.10", "198.18.0.11", "198.18.0.12", "198.18.0.97",
                              "198.19.0.5"}) {
    ScanText(names.Scan, address);
    ScanText(link.Scan, address);
  }
  std::thread unprivileged([&] {
    if (DropRawSocketRight()) ScanText(link.Scan, "198.18.0.96");
  });
  unprivileged.join();
  EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(NamesLabTest, HardwareAddressScanAllocatesNothing) {
  ForgetNeighbours();
  char text[64] = "";
  // Asked on the wire, then refused at once (off the subnet).
  for (const char* address : {"198.18.0.11", "198.19.0.5"}) {
    const std::size_t before = AllocationsOnThisThread();
    link.Scan(Ipv4(address), text, sizeof text);
    EXPECT_EQ(AllocationsOnThisThread(), before) << address;
  }
  EXPECT_STREQ(text, "0A:1B:2C:3D:4E:11");
}

// 32 Scans at once for 32 different hosts (lab/with-lab --crowd), half of
// them on threads that may not open packet sockets; and the alias lookups
// of two hosts interleaved on several threads.
TEST_F(NamesLabTest, ConcurrentScansEachGetTheirOwnAnswer) {
  ForgetNeighbours();
  constexpr uint32_t kFirst = 30, kHosts = 32;
  std::vector<std::string> texts(kHosts);
  std::vector<std::thread> threads;
  for (uint32_t i = 0; i < kHosts; ++i) {
    threads.emplace_back([&, i] {
      if (i % 2 == 1 && !DropRawSocketRight()) return;
      texts[i] = ScanText(link.Scan, "198.18.0." + std::to_string(kFirst + i), "kept").text;
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (uint32_t i = 0; i < kHosts; ++i) EXPECT_EQ(texts[i], HardwareText(kFirst + i)) << i;

  constexpr int kThreads = 8, kRounds = 40;
  std::vector<int> wrong(kThreads, 0);
  threads.clear();
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < kRounds; ++round) {
        const bool router = (round + t) % 2 == 0;
        const Scanned scanned = ScanText(names.Scan, router ? "198.18.0.10" : "198.18.0.11");
        if (scanned.result != 1 || scanned.text != (router ? "<alpha><beta>" : "<core-switch.lab>"))
          ++wrong[static_cast<std::size_t>(t)];
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(wrong[static_cast<std::size_t>(t)], 0) << t;
}

}  // namespace
