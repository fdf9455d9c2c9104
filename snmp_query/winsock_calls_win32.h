// The Windows Sockets calls of AgentQuery, reached through a table so that the
// Windows test host can stand in for a failing send or receive: faults that
// no real agent can produce on demand.
#pragma once

#include <winsock2.h>

struct WinsockCalls {
  decltype(&::socket) openSocket;
  decltype(&::sendto) sendTo;
  decltype(&::select) selectReadable;
  decltype(&::recvfrom) receiveFrom;
  decltype(&::closesocket) closeSocket;
};

// The real Windows Sockets functions; only the test host ever changes them,
// and never while a Scan runs.
extern WinsockCalls winsockCalls;
