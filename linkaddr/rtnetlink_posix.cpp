// RouteSocket: RTM_GETADDR, RTM_GETLINK and RTM_GETNEIGH over NETLINK_ROUTE.
#include "linkaddr/rtnetlink_posix.h"

#include <linux/if_arp.h>
#include <linux/neighbour.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

constexpr int kReplyWaitMilliseconds = 1000;
constexpr uint16_t kResolvedStates =
    NUD_REACHABLE | NUD_STALE | NUD_DELAY | NUD_PROBE | NUD_PERMANENT | NUD_NOARP;

// One request: a header, the family-specific message and room for one
// attribute.
template <typename Body>
struct Request {
  nlmsghdr header;
  Body body;
  char attributes[32];
};

uint32_t HostMask(int prefixLength) {
  return prefixLength <= 0 ? 0xFFFFFFFFu : (prefixLength >= 32 ? 0u : 0xFFFFFFFFu >> prefixLength);
}

// What one RTM_NEWNEIGH says about the entry of `address` on the interface.
bool ReadNeighbourMessage(const nlmsghdr* message, int interfaceIndex, uint32_t address,
                          NeighbourState* state, uint8_t hardware[6]) {
  if (message->nlmsg_type != RTM_NEWNEIGH) return false;
  if (message->nlmsg_len < NLMSG_LENGTH(sizeof(ndmsg))) return false;
  const auto* neighbour = static_cast<const ndmsg*>(NLMSG_DATA(message));
  if (neighbour->ndm_family != AF_INET || neighbour->ndm_ifindex != interfaceIndex) return false;
  bool sameAddress = false;
  const uint8_t* linkAddress = nullptr;
  int attributesLength = static_cast<int>(message->nlmsg_len - NLMSG_LENGTH(sizeof(ndmsg)));
  for (auto* attribute = reinterpret_cast<rtattr*>(
           reinterpret_cast<char*>(const_cast<ndmsg*>(neighbour)) + NLMSG_ALIGN(sizeof(ndmsg)));
       RTA_OK(attribute, attributesLength); attribute = RTA_NEXT(attribute, attributesLength)) {
    if (attribute->rta_type == NDA_DST && RTA_PAYLOAD(attribute) == 4)
      sameAddress = std::memcmp(RTA_DATA(attribute), &address, 4) == 0;
    else if (attribute->rta_type == NDA_LLADDR && RTA_PAYLOAD(attribute) == 6)
      linkAddress = static_cast<const uint8_t*>(RTA_DATA(attribute));
  }
  if (!sameAddress) return false;
  if ((neighbour->ndm_state & kResolvedStates) != 0 && linkAddress != nullptr) {
    std::memcpy(hardware, linkAddress, 6);
    *state = NeighbourState::Resolved;
  } else if (neighbour->ndm_state & NUD_FAILED) {
    *state = NeighbourState::Failed;
  } else if (neighbour->ndm_state & NUD_INCOMPLETE) {
    *state = NeighbourState::Resolving;
  } else {
    *state = NeighbourState::Unknown;
  }
  return true;
}

}  // namespace

RouteSocket::RouteSocket(bool listenNeighbours) {
  fd_ = socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
  if (fd_ < 0) return;
  sockaddr_nl local{};
  local.nl_family = AF_NETLINK;
  local.nl_groups = listenNeighbours ? RTMGRP_NEIGH : 0;
  timeval wait{kReplyWaitMilliseconds / 1000, 0};
  if (bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
      setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait) != 0) {
    close(fd_);
    fd_ = -1;
  }
}

RouteSocket::~RouteSocket() {
  if (fd_ >= 0) close(fd_);
}

namespace {

// Sends one request to the kernel and hands each message of the answer to
// `onMessage` until the answer ends. False when the kernel could not be
// asked or reported an error (its errno in *error).
template <typename OnMessage>
bool Exchange(int fd, nlmsghdr* request, uint32_t sequence, OnMessage onMessage, int* error) {
  *error = 0;
  request->nlmsg_seq = sequence;
  sockaddr_nl kernel{};
  kernel.nl_family = AF_NETLINK;
  if (sendto(fd, request, request->nlmsg_len, 0, reinterpret_cast<sockaddr*>(&kernel),
             sizeof kernel) < 0)
    return false;
  const bool dump = (request->nlmsg_flags & NLM_F_DUMP) != 0;
  alignas(nlmsghdr) char buffer[8192];
  // Bounded: a dump of a large table spans several reads, a stray
  // notification or an old reply costs one more.
  for (int reads = 0; reads < 4096; ++reads) {
    const ssize_t received = recv(fd, buffer, sizeof buffer, 0);
    if (received < 0) {
      if (errno == EINTR) continue;
      return false;  // includes the receive timeout
    }
    int length = static_cast<int>(received);
    for (auto* message = reinterpret_cast<nlmsghdr*>(buffer); NLMSG_OK(message, length);
         message = NLMSG_NEXT(message, length)) {
      if (message->nlmsg_seq != sequence) continue;  // a notification or an old reply
      if (message->nlmsg_type == NLMSG_DONE) return true;
      if (message->nlmsg_type == NLMSG_ERROR) {
        const auto* failure = static_cast<const nlmsgerr*>(NLMSG_DATA(message));
        *error = -failure->error;
        return failure->error == 0;
      }
      onMessage(message);
      if (!dump) return true;
    }
  }
  return false;
}

}  // namespace

bool RouteSocket::FindAttachedSubnet(uint32_t address, uint32_t source, AttachedSubnet* subnet) {
  Request<ifaddrmsg> request{};
  request.header.nlmsg_len = NLMSG_LENGTH(sizeof(ifaddrmsg));
  request.header.nlmsg_type = RTM_GETADDR;
  request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
  request.body.ifa_family = AF_INET;
  int bestPrefix = -1;
  AttachedSubnet best;
  const uint32_t target = ntohl(address);
  auto onAddress = [&](const nlmsghdr* message) {
    if (message->nlmsg_type != RTM_NEWADDR) return;
    if (message->nlmsg_len < NLMSG_LENGTH(sizeof(ifaddrmsg))) return;
    const auto* entry = static_cast<const ifaddrmsg*>(NLMSG_DATA(message));
    if (entry->ifa_family != AF_INET) return;
    uint32_t local = 0;
    bool haveLocal = false;
    int length = static_cast<int>(message->nlmsg_len - NLMSG_LENGTH(sizeof(ifaddrmsg)));
    for (auto* attribute = IFA_RTA(entry); RTA_OK(attribute, length);
         attribute = RTA_NEXT(attribute, length)) {
      // IFA_LOCAL is the interface's own address; IFA_ADDRESS may be a peer.
      if ((attribute->rta_type == IFA_LOCAL ||
           (attribute->rta_type == IFA_ADDRESS && !haveLocal)) &&
          RTA_PAYLOAD(attribute) == 4) {
        std::memcpy(&local, RTA_DATA(attribute), 4);
        haveLocal = attribute->rta_type == IFA_LOCAL || haveLocal;
      }
    }
    if (local == 0 || (source != 0 && local != source)) return;
    const int prefix = entry->ifa_prefixlen;
    const uint32_t hostBits = HostMask(prefix);
    const uint32_t own = ntohl(local);
    const bool isOwn = own == target;
    const bool inSubnet = (own & ~hostBits) == (target & ~hostBits);
    // The subnet's broadcast address is nobody's hardware address.
    const bool isBroadcast = prefix <= 30 && (target & hostBits) == hostBits;
    if (!isOwn && (!inSubnet || isBroadcast)) return;
    const int rank = isOwn ? 33 : prefix;
    if (rank <= bestPrefix) return;
    bestPrefix = rank;
    best.interfaceIndex = static_cast<int>(entry->ifa_index);
    best.localAddress = local;
    best.isOwnAddress = isOwn;
  };
  int error = 0;
  if (!Exchange(fd_, &request.header, ++sequence_, onAddress, &error) || bestPrefix < 0)
    return false;
  *subnet = best;
  return true;
}

bool RouteSocket::ReadInterfaceHardware(int interfaceIndex, uint8_t hardware[6]) {
  Request<ifinfomsg> request{};
  request.header.nlmsg_len = NLMSG_LENGTH(sizeof(ifinfomsg));
  request.header.nlmsg_type = RTM_GETLINK;
  request.header.nlmsg_flags = NLM_F_REQUEST;
  request.body.ifi_family = AF_UNSPEC;
  request.body.ifi_index = interfaceIndex;
  bool found = false;
  auto onLink = [&](const nlmsghdr* message) {
    if (message->nlmsg_type != RTM_NEWLINK) return;
    if (message->nlmsg_len < NLMSG_LENGTH(sizeof(ifinfomsg))) return;
    const auto* link = static_cast<const ifinfomsg*>(NLMSG_DATA(message));
    if (link->ifi_index != interfaceIndex || link->ifi_type != ARPHRD_ETHER) return;
    if (link->ifi_flags & IFF_NOARP) return;
    int length = static_cast<int>(message->nlmsg_len - NLMSG_LENGTH(sizeof(ifinfomsg)));
    for (auto* attribute = IFLA_RTA(link); RTA_OK(attribute, length);
         attribute = RTA_NEXT(attribute, length)) {
      if (attribute->rta_type == IFLA_ADDRESS && RTA_PAYLOAD(attribute) == 6) {
        std::memcpy(hardware, RTA_DATA(attribute), 6);
        found = true;
      }
    }
  };
  int error = 0;
  return Exchange(fd_, &request.header, ++sequence_, onLink, &error) && found;
}

NeighbourState RouteSocket::ReadNeighbour(int interfaceIndex, uint32_t address,
                                          uint8_t hardware[6]) {
  Request<ndmsg> request{};
  request.header.nlmsg_len = NLMSG_LENGTH(sizeof(ndmsg));
  request.header.nlmsg_type = RTM_GETNEIGH;
  request.header.nlmsg_flags = NLM_F_REQUEST;
  request.body.ndm_family = AF_INET;
  request.body.ndm_ifindex = interfaceIndex;
  auto* destination = reinterpret_cast<rtattr*>(reinterpret_cast<char*>(&request.header) +
                                                NLMSG_ALIGN(request.header.nlmsg_len));
  destination->rta_type = NDA_DST;
  destination->rta_len = RTA_LENGTH(4);
  std::memcpy(RTA_DATA(destination), &address, 4);
  request.header.nlmsg_len = NLMSG_ALIGN(request.header.nlmsg_len) + RTA_LENGTH(4);

  NeighbourState state = NeighbourState::Unknown;
  auto onNeighbour = [&](const nlmsghdr* message) {
    ReadNeighbourMessage(message, interfaceIndex, address, &state, hardware);
  };
  int error = 0;
  Exchange(fd_, &request.header, ++sequence_, onNeighbour, &error);  // ENOENT: no entry
  return state;
}

NeighbourState RouteSocket::TakeNeighbourChanges(int interfaceIndex, uint32_t address,
                                                 uint8_t hardware[6]) {
  NeighbourState newest = NeighbourState::Unknown;
  alignas(nlmsghdr) char buffer[8192];
  for (int reads = 0; reads < 256; ++reads) {
    const ssize_t received = recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
    if (received <= 0) break;  // drained (or the queue overflowed: the caller re-reads)
    int length = static_cast<int>(received);
    for (auto* message = reinterpret_cast<nlmsghdr*>(buffer); NLMSG_OK(message, length);
         message = NLMSG_NEXT(message, length)) {
      NeighbourState state;
      if (ReadNeighbourMessage(message, interfaceIndex, address, &state, hardware))
        newest = state;
    }
  }
  return newest;
}
