// AgentQuery over BSD sockets: one UDP socket, one datagram, one bounded wait.
#include "snmp_query/agent_query.h"

#include "plugin_api/descriptor_posix.h"
#include "plugin_api/monotonic_clock_posix.h"

#include <arpa/inet.h>
#include <linux/errqueue.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

enum class QueuedError { PortUnreachable, Other, None };

// Takes every ICMP error queued on the socket (IP_RECVERR). A port-unreachable
// means the host is up with no agent, as Windows reports with WSAECONNRESET;
// host or network unreachable may still be followed by an answer, so those
// only get read off the queue.
QueuedError TakeQueuedErrors(int fd) {
  QueuedError seen = QueuedError::None;
  for (int i = 0; i < 16; ++i) {
    char control[256];
    msghdr message{};
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    if (recvmsg(fd, &message, MSG_ERRQUEUE | MSG_DONTWAIT) < 0) break;
    for (cmsghdr* header = CMSG_FIRSTHDR(&message); header != nullptr;
         header = CMSG_NXTHDR(&message, header)) {
      if (header->cmsg_level != IPPROTO_IP || header->cmsg_type != IP_RECVERR) continue;
      sock_extended_err error;
      std::memcpy(&error, CMSG_DATA(header), sizeof error);
      if (error.ee_errno == ECONNREFUSED) return QueuedError::PortUnreachable;
      seen = QueuedError::Other;
    }
  }
  return seen;
}

}  // namespace

QueryOutcome AgentQuery(uint32_t address, uint8_t systemArc, ReplyBuffer& reply,
                        const AgentEndpoint& endpoint) {
  reply.received = 0;
  const Descriptor socketOwner(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
  const int fd = socketOwner.get();
  if (fd >= 0) {
    const int on = 1;
    setsockopt(fd, IPPROTO_IP, IP_RECVERR, &on, sizeof on);
  }

  sockaddr_in destination{};
  destination.sin_family = AF_INET;
  destination.sin_port = htons(endpoint.port);
  destination.sin_addr.s_addr = address;
  const SnmpRequest request = BuildRequest(systemArc);
  // With no socket the send fails too, and so does the exchange.
  if (sendto(fd, request.data(), request.size(), 0, reinterpret_cast<sockaddr*>(&destination),
             sizeof destination) < 0)
    return QueryOutcome::Failed;

  // poll, not select: a busy host's descriptors may lie beyond FD_SETSIZE.
  const int64_t deadline = NowMilliseconds() + endpoint.waitMilliseconds;
  for (;;) {
    const int64_t remaining = deadline - NowMilliseconds();
    if (remaining <= 0) return QueryOutcome::TimedOut;
    pollfd waiting{fd, POLLIN, 0};
    const int ready = poll(&waiting, 1, static_cast<int>(remaining));
    if (ready == 0) return QueryOutcome::TimedOut;
    if (ready < 0) {
      if (errno == EINTR) continue;
      return QueryOutcome::Failed;
    }
    if (waiting.revents & POLLERR) {
      QueuedError queued = TakeQueuedErrors(fd);
      if (queued == QueuedError::None) {
        // Nothing on the queue: take the pending error itself so that the
        // next poll does not report it again.
        int pending = 0;
        socklen_t length = sizeof pending;
        getsockopt(fd, SOL_SOCKET, SO_ERROR, &pending, &length);
        if (pending == ECONNREFUSED) queued = QueuedError::PortUnreachable;
      }
      if (queued == QueuedError::PortUnreachable) return QueryOutcome::Failed;
    }
    if (waiting.revents & POLLIN) {
      sockaddr_in sender{};
      socklen_t senderLength = sizeof sender;
      const ssize_t received = recvfrom(fd, reply.bytes, sizeof reply.bytes, MSG_DONTWAIT,
                                        reinterpret_cast<sockaddr*>(&sender), &senderLength);
      if (received >= 0) {
        reply.received = static_cast<int32_t>(received);
        return QueryOutcome::Answered;
      }
      if (errno == ECONNREFUSED) return QueryOutcome::Failed;
      if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR && errno != EHOSTUNREACH &&
          errno != ENETUNREACH)
        return QueryOutcome::Failed;
    }
    if (waiting.revents & POLLNVAL) return QueryOutcome::Failed;
  }
}
