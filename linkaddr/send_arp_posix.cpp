// SendArp on Linux, behaving as IP Helper's SendARP: the neighbour table
// first, then one ARP exchange bounded at about three seconds.
#include "linkaddr/send_arp.h"

#include <linux/if_ether.h>
#include <linux/if_packet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "linkaddr/arp_packet.h"
#include "linkaddr/rtnetlink_posix.h"
#include "plugin_api/descriptor_posix.h"
#include "plugin_api/monotonic_clock_posix.h"

namespace {

// The Windows error codes that SendARP reports.
constexpr uint32_t kGenFailure = 31;         // ERROR_GEN_FAILURE
constexpr uint32_t kBadNetName = 67;         // ERROR_BAD_NET_NAME: nobody answered
constexpr uint32_t kInvalidParameter = 87;   // ERROR_INVALID_PARAMETER
constexpr uint32_t kBufferOverflow = 111;    // ERROR_BUFFER_OVERFLOW

// As SendARP (and the kernel's three probes one second apart).
constexpr int64_t kAnswerWaitMilliseconds = 3000;
constexpr int64_t kProbeIntervalMilliseconds = 1000;
// The kernel marks an entry FAILED after its last probe; a little later than
// our own bound.
constexpr int64_t kKernelWaitMilliseconds = kAnswerWaitMilliseconds + 500;
// While waiting for the kernel, the entry is re-read this often in case a
// change notification was lost.
constexpr int64_t kRecheckMilliseconds = 100;
constexpr uint16_t kDiscardPort = 9;

enum class Outcome { Answered, NoAnswer, NotPermitted, Failed };

// Asks with our own ARP requests on a packet socket (needs CAP_NET_RAW) and
// reads the answer off the same socket.
Outcome AskByPacket(const AttachedSubnet& subnet, const uint8_t ownHardware[6],
                    uint32_t destination, uint8_t hardware[6]) {
  // Protocol 0 at first: the socket receives nothing until it is bound to
  // the one interface (a socket opened for ARP would take every interface's
  // ARP at once, and re-binding it waits for the kernel to settle).
  const Descriptor packet(socket(AF_PACKET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
  if (packet.get() < 0)
    return errno == EPERM || errno == EACCES ? Outcome::NotPermitted : Outcome::Failed;
  sockaddr_ll link{};
  link.sll_family = AF_PACKET;
  link.sll_protocol = htons(ETH_P_ARP);
  link.sll_ifindex = subnet.interfaceIndex;
  if (bind(packet.get(), reinterpret_cast<sockaddr*>(&link), sizeof link) != 0)
    return Outcome::Failed;

  const ArpPacket request = BuildArpRequest(ownHardware, subnet.localAddress, destination);
  sockaddr_ll broadcast = link;
  broadcast.sll_halen = 6;
  std::memset(broadcast.sll_addr, 0xFF, 6);

  const int64_t start = NowMilliseconds();
  const int64_t deadline = start + kAnswerWaitMilliseconds;
  int64_t nextProbe = start;
  for (;;) {
    const int64_t now = NowMilliseconds();
    if (now >= deadline) return Outcome::NoAnswer;
    if (now >= nextProbe) {
      if (sendto(packet.get(), request.data(), request.size(), 0,
                 reinterpret_cast<const sockaddr*>(&broadcast), sizeof broadcast) < 0)
        return Outcome::Failed;
      nextProbe += kProbeIntervalMilliseconds;
    }
    const int64_t until = nextProbe < deadline ? nextProbe : deadline;
    const int64_t wait = until - NowMilliseconds();
    pollfd waiting{packet.get(), POLLIN, 0};
    const int ready = poll(&waiting, 1, wait > 0 ? static_cast<int>(wait) : 0);
    if (ready < 0 && errno != EINTR) return Outcome::Failed;
    if (ready <= 0) continue;
    // Every ARP packet on the link arrives here; take all that are queued.
    for (int i = 0; i < 64; ++i) {
      uint8_t bytes[256];
      const ssize_t received = recv(packet.get(), bytes, sizeof bytes, MSG_DONTWAIT);
      if (received < 0) break;
      if (ReadArpAnswer(bytes, static_cast<std::size_t>(received), destination, hardware))
        return Outcome::Answered;
    }
  }
}

// Lets the kernel ask: a zero-length datagram to the discard port makes it
// resolve the neighbour, and its table then says how that went.
Outcome AskByKernel(const AttachedSubnet& subnet, uint32_t destination, uint8_t hardware[6]) {
  RouteSocket changes(true);  // listening before the kernel starts asking
  if (!changes.open()) return Outcome::Failed;
  {
    const Descriptor udp(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    if (udp.get() < 0) return Outcome::Failed;
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(kDiscardPort);
    target.sin_addr.s_addr = destination;
    // A failed send still leaves the entry to watch; the table decides.
    sendto(udp.get(), "", 0, 0, reinterpret_cast<sockaddr*>(&target), sizeof target);
  }
  const int64_t deadline = NowMilliseconds() + kKernelWaitMilliseconds;
  NeighbourState state = changes.ReadNeighbour(subnet.interfaceIndex, destination, hardware);
  for (;;) {
    if (state == NeighbourState::Resolved) return Outcome::Answered;
    if (state == NeighbourState::Failed) return Outcome::NoAnswer;
    const int64_t remaining = deadline - NowMilliseconds();
    if (remaining <= 0) return Outcome::NoAnswer;
    pollfd waiting{changes.fd(), POLLIN, 0};
    const int ready = poll(&waiting, 1,
                           static_cast<int>(remaining < kRecheckMilliseconds ? remaining
                                                                             : kRecheckMilliseconds));
    if (ready < 0 && errno != EINTR) return Outcome::Failed;
    const NeighbourState changed =
        ready > 0 ? changes.TakeNeighbourChanges(subnet.interfaceIndex, destination, hardware)
                  : NeighbourState::Unknown;
    state = changed != NeighbourState::Unknown
                ? changed
                : changes.ReadNeighbour(subnet.interfaceIndex, destination, hardware);
  }
}

}  // namespace

uint32_t SendArp(uint32_t destination, uint32_t source, uint8_t* hardwareAddress,
                 uint32_t* length) {
  if (hardwareAddress == nullptr || length == nullptr || destination == 0) return kInvalidParameter;
  if (*length < 6) return kBufferOverflow;

  RouteSocket route(false);
  if (!route.open()) return kGenFailure;
  AttachedSubnet subnet;
  // Not on a directly attached subnet: nothing is sent.
  if (!route.FindAttachedSubnet(destination, source, &subnet)) return kBadNetName;

  uint8_t hardware[6];
  bool known = false;
  if (subnet.isOwnAddress) {
    known = route.ReadInterfaceHardware(subnet.interfaceIndex, hardware);
    if (!known) return kBadNetName;
  } else {
    known = route.ReadNeighbour(subnet.interfaceIndex, destination, hardware) ==
            NeighbourState::Resolved;
  }
  if (!known) {
    // An interface that does no ARP has no hardware address to ask for.
    uint8_t ownHardware[6];
    if (!route.ReadInterfaceHardware(subnet.interfaceIndex, ownHardware)) return kBadNetName;
    Outcome outcome = AskByPacket(subnet, ownHardware, destination, hardware);
    if (outcome == Outcome::NotPermitted) outcome = AskByKernel(subnet, destination, hardware);
    if (outcome == Outcome::NoAnswer) return kBadNetName;
    if (outcome != Outcome::Answered) return kGenFailure;
  }
  std::memcpy(hardwareAddress, hardware, 6);
  *length = 6;
  return kArpNoError;
}
