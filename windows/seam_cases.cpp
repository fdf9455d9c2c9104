// AgentQuery's Windows Sockets layer, linked into the host, with stand-ins in
// its call table for the faults no real agent shows under Wine: a failed
// send, a failed select, WSAECONNRESET from recvfrom after an ICMP
// port-unreachable. Each row also checks the arguments of every call made.
// Two more rows use the real calls against a silent socket of the host.
#include <winsock2.h>

#include <cstring>
#include <string>

#include "agentlabel/read_description.h"
#include "snmp_query/snmp_scan.h"
#include "snmp_query/winsock_calls_win32.h"
#include "windows/host_cases.h"
#include "windows/test_network.h"

namespace {

constexpr SOCKET kStandInSocket = 0x1234;

// How the stand-ins behave in one row, and what they were handed.
struct StandIn {
  SOCKET opened = kStandInSocket;
  int sendResult = 39;
  int selectResult = 1;
  int receiveResult = 0;   // bytes of kReply, or SOCKET_ERROR
  int receiveError = 0;    // WSAGetLastError() after a failed receive

  int opens = 0, sends = 0, selects = 0, receives = 0, closes = 0;
  SOCKET closedSocket = INVALID_SOCKET;
  std::string argumentFaults;
};

StandIn standIn;

// A sysDescr reply in the fixed layout with the value "seam".
const uint8_t kReply[] = {0x30, 0x2A, 0x02, 0x01, 0x00, 0x04, 0x06, 'v', 'a', 'r', 'n', 'e',
                          'k', 0xA2, 0x1D, 0x02, 0x01, 0x01, 0x02, 0x01, 0x00, 0x02, 0x01, 0x00,
                          0x30, 0x12, 0x30, 0x10, 0x06, 0x08, 0x2B, 0x06, 0x01, 0x02, 0x01, 0x01,
                          0x01, 0x00, 0x04, 0x04, 's', 'e', 'a', 'm'};

void ArgumentFault(bool holds, const char* what) {
  if (!holds) standIn.argumentFaults += std::string(what) + "; ";
}

SOCKET WSAAPI OpenStandIn(int family, int type, int protocol) {
  ++standIn.opens;
  ArgumentFault(family == AF_INET && type == SOCK_DGRAM && protocol == 0,
                "socket(AF_INET, SOCK_DGRAM, 0) expected");
  return standIn.opened;
}

int WSAAPI SendStandIn(SOCKET handle, const char* bytes, int length, int flags,
                       const sockaddr* to, int toLength) {
  ++standIn.sends;
  const SnmpRequest request = BuildRequest(kDescriptionArc);
  ArgumentFault(handle == standIn.opened, "sendto on another socket");
  ArgumentFault(length == 39 && std::memcmp(bytes, request.data(), 39) == 0,
                "sendto not handed the 39 request bytes");
  ArgumentFault(flags == 0, "sendto flags not 0");
  ArgumentFault(toLength == 16, "sendto length of the destination not 16");
  const auto* destination = reinterpret_cast<const sockaddr_in*>(to);
  ArgumentFault(destination->sin_family == AF_INET && destination->sin_port == htons(161) &&
                    destination->sin_addr.s_addr == kAgentAddress,
                "sendto destination not AF_INET 127.0.0.1:161");
  if (standIn.sendResult == SOCKET_ERROR) WSASetLastError(WSAENETUNREACH);
  return standIn.sendResult;
}

int WSAAPI SelectStandIn(int count, fd_set* readable, fd_set* writable, fd_set* failed,
                         const PTIMEVAL wait) {
  ++standIn.selects;
  ArgumentFault(count == 0, "select's first argument not 0");
  ArgumentFault(readable != nullptr && readable->fd_count == 1 &&
                    readable->fd_array[0] == standIn.opened,
                "select's read set does not hold just the socket");
  ArgumentFault(writable == nullptr && failed == nullptr, "select given more than a read set");
  ArgumentFault(wait != nullptr && wait->tv_sec == 10 && wait->tv_usec == 0,
                "select's timeout not 10 s 0 us");
  return standIn.selectResult;
}

int WSAAPI ReceiveStandIn(SOCKET handle, char* bytes, int length, int flags, sockaddr* from,
                          int* fromLength) {
  ++standIn.receives;
  ArgumentFault(handle == standIn.opened, "recvfrom on another socket");
  ArgumentFault(length == 1000 && flags == 0, "recvfrom not given 1000 bytes and flags 0");
  ArgumentFault(from != nullptr && fromLength != nullptr && *fromLength == 16,
                "recvfrom not given a 16-byte sender record");
  if (standIn.receiveResult == SOCKET_ERROR) {
    WSASetLastError(standIn.receiveError);
    return SOCKET_ERROR;
  }
  std::memcpy(bytes, kReply, sizeof kReply);
  return static_cast<int>(sizeof kReply);
}

SOCKET WSAAPI NoSocket(int, int, int) { return INVALID_SOCKET; }

int WSAAPI CloseStandIn(SOCKET handle) {
  ++standIn.closes;
  standIn.closedSocket = handle;
  return 0;
}

struct SeamCase {
  const char* label;
  SOCKET opened;
  int sendResult;
  int selectResult;
  int receiveResult;
  int receiveError;
  QueryOutcome outcome;
  const char* text;  // after SnmpScan with "ab" and textSize 256
  int selects, receives;
};

const SeamCase kSeamCases[] = {
    {"answer read into the reply", kStandInSocket, 39, 1, 1, 0, QueryOutcome::Answered,
     "abseam", 1, 1},
    {"failed send: no wait, text kept", kStandInSocket, SOCKET_ERROR, 1, 1, 0,
     QueryOutcome::Failed, "ab", 0, 0},
    {"failed select: text kept", kStandInSocket, 39, SOCKET_ERROR, 1, 0, QueryOutcome::Failed,
     "ab", 1, 0},
    {"select times out: TimeOut", kStandInSocket, 39, 0, 1, 0, QueryOutcome::TimedOut,
     "abTimeOut", 1, 0},
    {"WSAECONNRESET from recvfrom: text kept", kStandInSocket, 39, 1, SOCKET_ERROR,
     WSAECONNRESET, QueryOutcome::Failed, "ab", 1, 1},
};

const char* OutcomeName(QueryOutcome outcome) {
  switch (outcome) {
    case QueryOutcome::Answered: return "Answered";
    case QueryOutcome::TimedOut: return "TimedOut";
    case QueryOutcome::Failed: return "Failed";
  }
  return "?";
}

// Runs AgentQuery, then SnmpScan, with the stand-ins set for `row`.
void RunSeamCase(const SeamCase& row, CaseReport& report) {
  CaseCheck check(std::string("AgentQuery seam, ") + row.label);
  const WinsockCalls real = winsockCalls;
  winsockCalls = {OpenStandIn, SendStandIn, SelectStandIn, ReceiveStandIn, CloseStandIn};
  for (int pass = 0; pass < 2; ++pass) {
    standIn = StandIn{};
    standIn.opened = row.opened;
    standIn.sendResult = row.sendResult;
    standIn.selectResult = row.selectResult;
    standIn.receiveResult = row.receiveResult;
    standIn.receiveError = row.receiveError;
    const char* step = pass == 0 ? "AgentQuery: " : "SnmpScan: ";
    if (pass == 0) {
      ReplyBuffer reply;
      const QueryOutcome outcome = AgentQuery(kAgentAddress, kDescriptionArc, reply);
      check.Expect(outcome == row.outcome, std::string(step) + OutcomeName(outcome));
      if (outcome == QueryOutcome::Answered)
        check.Expect(reply.received == static_cast<int32_t>(sizeof kReply),
                     "received " + std::to_string(reply.received));
    } else {
      char text[256] = "ab";
      const int32_t result =
          SnmpScan(kAgentAddress, text, sizeof text, kDescriptionArc, ReadDescription);
      check.Expect(result == 1, std::string(step) + "returned " + std::to_string(result));
      check.Expect(std::string(text) == row.text, std::string(step) + "text " + Quoted(text));
    }
    check.Expect(standIn.opens == 1 && standIn.sends == 1, std::string(step) + "not one socket and one send");
    check.Expect(standIn.selects == row.selects && standIn.receives == row.receives,
                 std::string(step) + std::to_string(standIn.selects) + " select(s), " +
                     std::to_string(standIn.receives) + " recvfrom(s)");
    check.Expect(standIn.closes == 1 && standIn.closedSocket == row.opened,
                 std::string(step) + "the socket was not closed exactly once");
    check.Expect(standIn.argumentFaults.empty(), std::string(step) + standIn.argumentFaults);
  }
  winsockCalls = real;
  report.Record(check);
}

// With the real calls: no socket at all (the send fails), and a silent peer
// on a port of the host's own, which also shows the request on the wire.
void RunRealSocketCases(CaseReport& report) {
  {
    CaseCheck check("AgentQuery, no socket: the send fails and nothing is closed");
    const WinsockCalls real = winsockCalls;
    standIn = StandIn{};
    winsockCalls.openSocket = NoSocket;
    winsockCalls.closeSocket = CloseStandIn;
    ReplyBuffer reply;
    const QueryOutcome outcome = AgentQuery(kAgentAddress, kDescriptionArc, reply);
    winsockCalls = real;
    check.Expect(outcome == QueryOutcome::Failed, OutcomeName(outcome));
    check.Expect(standIn.closes == 0, "closesocket called on INVALID_SOCKET");
    report.Record(check);
  }
  CaseCheck check("AgentQuery, silent peer on a test port: the request arrives, TimedOut");
  const SOCKET peer = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in where{};
  where.sin_family = AF_INET;
  where.sin_port = htons(40161);
  where.sin_addr.s_addr = kAgentAddress;
  const bool bound = bind(peer, reinterpret_cast<sockaddr*>(&where), sizeof where) == 0;
  check.Expect(bound, "could not bind 127.0.0.1:40161");
  if (bound) {
    ReplyBuffer reply;
    AgentEndpoint endpoint;
    endpoint.port = 40161;
    endpoint.waitMilliseconds = 500;
    const QueryOutcome outcome = AgentQuery(kAgentAddress, 3, reply, endpoint);
    check.Expect(outcome == QueryOutcome::TimedOut, OutcomeName(outcome));
    u_long available = 0;
    ioctlsocket(peer, FIONREAD, &available);
    char got[64] = {};
    const int length = available > 0 ? recv(peer, got, sizeof got, 0) : 0;
    const SnmpRequest request = BuildRequest(3);
    check.Expect(length == 39 && std::memcmp(got, request.data(), 39) == 0,
                 "the peer did not get the 39-byte request for arc 3 (" +
                     std::to_string(length) + " bytes)");
  }
  closesocket(peer);
  report.Record(check);
}

}  // namespace

void RunSeamCases(CaseReport& report) {
  for (const SeamCase& row : kSeamCases) RunSeamCase(row, report);
  RunRealSocketCases(report);
}
