// AgentQuery over Windows Sockets: one UDP socket, one datagram, one select.
#include "snmp_query/agent_query.h"

#include "snmp_query/winsock_calls_win32.h"

WinsockCalls winsockCalls{&::socket, &::sendto, &::select, &::recvfrom, &::closesocket};

namespace {

// Closes the socket whichever way the exchange ends.
class SocketCloser {
 public:
  SocketCloser(SOCKET handle, decltype(&::closesocket) closeSocket)
      : handle_(handle), closeSocket_(closeSocket) {}
  ~SocketCloser() {
    if (handle_ != INVALID_SOCKET) closeSocket_(handle_);
  }
  SocketCloser(const SocketCloser&) = delete;
  SocketCloser& operator=(const SocketCloser&) = delete;

 private:
  SOCKET handle_;
  decltype(&::closesocket) closeSocket_;
};

}  // namespace

QueryOutcome AgentQuery(uint32_t address, uint8_t systemArc, ReplyBuffer& reply,
                        const AgentEndpoint& endpoint) {
  const WinsockCalls calls = winsockCalls;
  reply.received = 0;
  // Not tested on its own: without a socket the send below fails.
  const SOCKET handle = calls.openSocket(AF_INET, SOCK_DGRAM, 0);
  SocketCloser closer(handle, calls.closeSocket);

  sockaddr_in peer{};  // the destination, then the sender of the reply
  peer.sin_family = AF_INET;
  peer.sin_port = htons(endpoint.port);
  peer.sin_addr.s_addr = address;
  const SnmpRequest request = BuildRequest(systemArc);
  if (calls.sendTo(handle, reinterpret_cast<const char*>(request.data()),
                   static_cast<int>(request.size()), 0, reinterpret_cast<const sockaddr*>(&peer),
                   static_cast<int>(sizeof peer)) == SOCKET_ERROR)
    return QueryOutcome::Failed;

  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(handle, &readable);
  timeval wait{};
  wait.tv_sec = endpoint.waitMilliseconds / 1000;
  wait.tv_usec = (endpoint.waitMilliseconds % 1000) * 1000;
  // The first argument is ignored by Windows Sockets.
  const int ready = calls.selectReadable(0, &readable, nullptr, nullptr, &wait);
  if (ready == 0) return QueryOutcome::TimedOut;
  if (ready == SOCKET_ERROR) return QueryOutcome::Failed;

  // An ICMP port-unreachable for the request shows here as WSAECONNRESET.
  int peerLength = static_cast<int>(sizeof peer);
  const int received = calls.receiveFrom(handle, reinterpret_cast<char*>(reply.bytes),
                                         static_cast<int>(sizeof reply.bytes), 0,
                                         reinterpret_cast<sockaddr*>(&peer), &peerLength);
  if (received == SOCKET_ERROR) return QueryOutcome::Failed;
  reply.received = received;
  return QueryOutcome::Answered;
}
