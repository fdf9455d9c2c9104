// EnterPrivateNetwork: unshare(CLONE_NEWNET) and bring the loopback up.
#include "tests/support/network_sandbox.h"

#include <arpa/inet.h>
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {
bool ready = false;
std::string problem = "EnterPrivateNetwork was not called";
}  // namespace

bool EnterPrivateNetwork(std::string* whyNot) {
  if (unshare(CLONE_NEWNET) != 0) {
    problem = std::string("needs root for a private network namespace (unshare: ") +
              std::strerror(errno) + ")";
    if (whyNot) *whyNot = problem;
    return false;
  }
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  ifreq request{};
  std::strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
  bool up = fd >= 0 && ioctl(fd, SIOCGIFFLAGS, &request) == 0;
  request.ifr_flags = static_cast<short>(request.ifr_flags | IFF_UP);
  up = up && ioctl(fd, SIOCSIFFLAGS, &request) == 0;
  if (fd >= 0) close(fd);
  if (!up) {
    problem = "could not bring up the loopback of the private namespace";
    if (whyNot) *whyNot = problem;
    return false;
  }
  ready = true;
  problem.clear();
  return true;
}

bool PrivateNetworkReady() { return ready; }
const std::string& PrivateNetworkProblem() { return problem; }

unsigned int Ipv4(const char* dotted) {
  in_addr address{};
  inet_pton(AF_INET, dotted, &address);
  return address.s_addr;
}
