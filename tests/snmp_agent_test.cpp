// The SNMP plug-ins against a real net-snmp agent in the test's own network
// namespace, loaded as a host loads them.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "agentlabel/read_description.h"
#include "snmp_query/snmp_scan.h"
#include "tests/support/allocation_counter.h"
#include "tests/support/network_sandbox.h"
#include "tests/support/open_descriptors.h"
#include "tests/support/plugin_module.h"
#include "tests/support/snmp_agent.h"
#include "tests/support/snmp_reply.h"

namespace {

const std::string kShortDescription = "Linux lab 12";  // 12 characters
const std::string kLongDescription =
    "Linux lab-agent-long 6.1.0-28-amd64 #1 SMP PREEMPT_DYNAMIC Debian 6.1.119-1 "
    "(2024-11-22) x86_64, rack B4 slot 17, maintained by the network team, "
    "contact noc@lab.invalid";
const std::regex kUptimePattern("^ {0,3}[0-9]{1,3} days [0-9]{2}:[0-9]{2}:[0-9]{2}$");

class SnmpAgentTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!PrivateNetworkReady()) return;
    shortAgent = new SnmpAgent("127.0.0.1", kShortDescription);
    longAgent = new SnmpAgent("127.0.0.2", kLongDescription);
    agentsUp = shortAgent->WaitUntilAnswering() && longAgent->WaitUntilAnswering();
  }
  static void TearDownTestSuite() {
    delete shortAgent;
    delete longAgent;
    shortAgent = longAgent = nullptr;
  }
  void SetUp() override {
    if (!PrivateNetworkReady()) GTEST_SKIP() << PrivateNetworkProblem();
    ASSERT_TRUE(agentsUp) << "snmpd did not answer; see " << shortAgent->log();
    ASSERT_TRUE(label.loaded()) << label.error();
    ASSERT_TRUE(clock.loaded()) << clock.error();
  }

  static std::string ScanText(ScanFunction scan, const char* address, std::string before = "",
                              int32_t textSize = 1024) {
    std::vector<char> text(static_cast<std::size_t>(textSize), '\0');
    before.copy(text.data(), before.size());
    EXPECT_EQ(scan(Ipv4(address), text.data(), textSize), 1);
    return text.data();
  }

  static SnmpAgent* shortAgent;
  static SnmpAgent* longAgent;
  static bool agentsUp;
  PluginModule label{AGENTLABEL_MODULE};
  PluginModule clock{AGENTCLOCK_MODULE};
};

SnmpAgent* SnmpAgentTest::shortAgent = nullptr;
SnmpAgent* SnmpAgentTest::longAgent = nullptr;
bool SnmpAgentTest::agentsUp = false;

// A UDP socket bound to address:port, closed with the object.
struct BoundSocket {
  BoundSocket(const char* address, uint16_t port) {
    fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    local.sin_addr.s_addr = Ipv4(address);
    bound = bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0;
  }
  ~BoundSocket() { close(fd); }
  int fd;
  bool bound;
};

TEST_F(SnmpAgentTest, ExportedScansShowDescriptionAndUptime) {
  ASSERT_EQ(label.Init(), 1);
  ASSERT_EQ(clock.Init(), 1);
  EXPECT_EQ(ScanText(label.Scan, "127.0.0.1"), kShortDescription);
  EXPECT_EQ(ScanText(label.Scan, "127.0.0.2"), kLongDescription);
  EXPECT_EQ(ScanText(label.Scan, "127.0.0.2", "", 41), kLongDescription.substr(0, 40));
  EXPECT_EQ(ScanText(label.Scan, "127.0.0.1", "x"), "x" + kShortDescription);
  const std::string uptime = ScanText(clock.Scan, "127.0.0.1");
  EXPECT_TRUE(std::regex_match(uptime, kUptimePattern)) << '"' << uptime << '"';
  // Both agents started seconds ago: the same day count, cut after "days".
  EXPECT_EQ(ScanText(clock.Scan, "127.0.0.2", "", 10), uptime.substr(0, 9));
  EXPECT_EQ(label.Finalize(), 1);
  EXPECT_EQ(clock.Finalize(), 1);
}

TEST_F(SnmpAgentTest, InfoAndOptionsOfTheLoadedModules) {
  PluginInfo info{};
  ASSERT_EQ(label.Info(&info), 1);
  EXPECT_STREQ(info.Name, "SysDescr");
  ASSERT_EQ(clock.Info(&info), 1);
  EXPECT_STREQ(info.Name, "SystimeUp");
  EXPECT_EQ(info.PluginLevel, 216);
  EXPECT_EQ(label.Options(nullptr), 1);
  EXPECT_EQ(clock.Options(nullptr), 1);
}

TEST_F(SnmpAgentTest, ClosedPortLeavesTheTextUnchanged) {
  // Nothing listens on 127.0.0.9:161: the port-unreachable ends the wait.
  EXPECT_EQ(ScanText(label.Scan, "127.0.0.9", "kept"), "kept");
  EXPECT_EQ(ScanText(clock.Scan, "127.0.0.9", "kept"), "kept");
}

TEST_F(SnmpAgentTest, SilentAgentGivesTimeOut) {
  BoundSocket silent("127.0.0.3", 161);  // reads nothing, answers nothing
  ASSERT_TRUE(silent.bound);
  char text[32] = "was ";
  SnmpScan(Ipv4("127.0.0.3"), text, sizeof text, kDescriptionArc, ReadDescription,
           AgentEndpoint{161, 300});
  EXPECT_STREQ(text, "was TimeOut");
}

// A router namespace beside the test's own that answers every datagram for
// 198.18.9.0/24 with an ICMP host-unreachable. Removed with the object.
class UnreachableRouter {
 public:
  UnreachableRouter() : name_("probe-rtr-" + std::to_string(getpid())) {
    ready_ = Run("ip netns add " + name_) &&
             Run("ip link add probe-v0 type veth peer name probe-v1 netns " + name_) &&
             Run("ip addr add 198.18.8.1/24 dev probe-v0") && Run("ip link set probe-v0 up") &&
             Run(In("ip addr add 198.18.8.2/24 dev probe-v1")) &&
             Run(In("ip link set probe-v1 up")) && Run(In("ip link set lo up")) &&
             Run(In("sysctl -qw net.ipv4.ip_forward=1")) &&
             Run(In("ip route add unreachable 198.18.9.0/24")) &&
             Run("ip route add 198.18.9.0/24 via 198.18.8.2");
  }
  ~UnreachableRouter() { Run("ip netns del " + name_ + " 2>/dev/null"); }
  bool ready() const { return ready_; }

 private:
  std::string In(const std::string& command) const { return "ip netns exec " + name_ + " " + command; }
  static bool Run(const std::string& command) { return std::system(command.c_str()) == 0; }
  std::string name_;
  bool ready_ = false;
};

TEST_F(SnmpAgentTest, HostUnreachableDoesNotEndTheWait) {
  UnreachableRouter router;
  ASSERT_TRUE(router.ready());
  char text[32] = "";
  SnmpScan(Ipv4("198.18.9.9"), text, sizeof text, kDescriptionArc, ReadDescription,
           AgentEndpoint{161, 500});
  EXPECT_STREQ(text, "TimeOut");
}

TEST_F(SnmpAgentTest, FailedSendLeavesTheTextUnchanged) {
  char text[32] = "kept";
  // Port 0 is refused by sendto itself: nothing goes out.
  SnmpScan(Ipv4("127.0.0.1"), text, sizeof text, kDescriptionArc, ReadDescription,
           AgentEndpoint{0, 5000});
  EXPECT_STREQ(text, "kept");
}

TEST_F(SnmpAgentTest, DatagramFromAnotherSenderIsTakenAsTheReply) {
  BoundSocket agent("127.0.0.4", 161);
  BoundSocket stranger("127.0.0.5", 40161);
  ASSERT_TRUE(agent.bound && stranger.bound);
  std::thread answer([&] {
    uint8_t request[64];
    sockaddr_in asker{};
    socklen_t length = sizeof asker;
    if (recvfrom(agent.fd, request, sizeof request, 0, reinterpret_cast<sockaddr*>(&asker),
                 &length) <= 0)
      return;
    const Bytes reply = Response(1, 0x04, Text("from a stranger"));
    sendto(stranger.fd, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&asker),
           length);
  });
  char text[64] = "";
  SnmpScan(Ipv4("127.0.0.4"), text, sizeof text, kDescriptionArc, ReadDescription,
           AgentEndpoint{161, 5000});
  answer.join();
  EXPECT_STREQ(text, "from a stranger");
}

TEST_F(SnmpAgentTest, SixtyFourConcurrentScansEachGetTheirOwnText) {
  ASSERT_EQ(label.Init(), 1);
  constexpr int kThreads = 64;
  std::vector<std::string> texts(kThreads);
  std::vector<std::thread> threads;
  std::atomic<bool> go{false};
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] {
      while (!go) std::this_thread::yield();
      const ScanFunction scan = i % 4 == 3 ? clock.Scan : label.Scan;
      texts[static_cast<std::size_t>(i)] = ScanText(scan, i % 2 ? "127.0.0.2" : "127.0.0.1");
    });
  }
  go = true;
  for (auto& thread : threads) thread.join();
  for (int i = 0; i < kThreads; ++i) {
    const std::string& text = texts[static_cast<std::size_t>(i)];
    if (i % 4 == 3)
      EXPECT_TRUE(std::regex_match(text, kUptimePattern)) << i << ": " << text;
    else
      EXPECT_EQ(text, i % 2 ? kLongDescription : kShortDescription) << i;
  }
  EXPECT_EQ(label.Finalize(), 1);
}

TEST_F(SnmpAgentTest, ScanAllocatesNothing) {
  char text[1024] = "";
  for (const char* address : {"127.0.0.1", "127.0.0.9"}) {
    for (ScanFunction scan : {label.Scan, clock.Scan}) {
      const std::size_t before = AllocationsOnThisThread();
      text[0] = '\0';
      scan(Ipv4(address), text, sizeof text);
      EXPECT_EQ(AllocationsOnThisThread(), before) << address;
    }
  }
  EXPECT_NE(text[0], 'X');  // keeps the calls from being optimised away
}

TEST_F(SnmpAgentTest, NoDescriptorOutlivesAThousandScans) {
  const int before = OpenDescriptors();
  int answered = 0;
  for (int i = 0; i < 1000; ++i) {
    const std::string text = ScanText(label.Scan, i % 2 ? "127.0.0.9" : "127.0.0.1");
    answered += text == kShortDescription;
  }
  EXPECT_EQ(answered, 500);
  EXPECT_EQ(OpenDescriptors(), before);
}

}  // namespace
