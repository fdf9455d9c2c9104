// What SendArp asks the Linux kernel through rtnetlink: the machine's IPv4
// subnets, an interface's hardware address, one neighbour table entry.
#pragma once

#include <cstdint>

// The machine's own address whose subnet holds an address.
struct AttachedSubnet {
  int interfaceIndex = 0;
  uint32_t localAddress = 0;  // in_addr form
  bool isOwnAddress = false;  // the address asked about is this one
};

enum class NeighbourState {
  Unknown,    // no entry, or one that has not been resolved yet
  Resolving,  // the kernel is asking (INCOMPLETE)
  Resolved,   // hardware address known
  Failed,     // the kernel asked and nobody answered
};

// A netlink route socket, closed with the object. All calls are bounded by
// a short receive timeout and allocate nothing.
class RouteSocket {
 public:
  // `listenNeighbours` also subscribes to neighbour table changes.
  explicit RouteSocket(bool listenNeighbours);
  ~RouteSocket();
  RouteSocket(const RouteSocket&) = delete;
  RouteSocket& operator=(const RouteSocket&) = delete;

  bool open() const { return fd_ >= 0; }
  int fd() const { return fd_; }

  // The best (longest prefix) IPv4 subnet of this machine that holds
  // `address`; with `source` non-zero only that local address is considered.
  bool FindAttachedSubnet(uint32_t address, uint32_t source, AttachedSubnet* subnet);

  // The 6-byte hardware address of an Ethernet-type interface that does ARP.
  bool ReadInterfaceHardware(int interfaceIndex, uint8_t hardware[6]);

  // Asks for the entry of `address` on the interface.
  NeighbourState ReadNeighbour(int interfaceIndex, uint32_t address, uint8_t hardware[6]);

  // Reads the neighbour changes that have arrived (without waiting) and
  // returns the newest state of the entry, Unknown when none concerned it.
  NeighbourState TakeNeighbourChanges(int interfaceIndex, uint32_t address, uint8_t hardware[6]);

 private:
  int fd_ = -1;
  uint32_t sequence_ = 0;
};
