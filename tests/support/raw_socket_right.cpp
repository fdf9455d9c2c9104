// DropRawSocketRight: capset on the calling thread only.
#include "tests/support/raw_socket_right.h"

#include <linux/capability.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

bool DropRawSocketRight() {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2]{};
  if (syscall(SYS_capget, &header, data) != 0) return false;
  data[0].effective &= ~(1u << CAP_NET_RAW);
  if (syscall(SYS_capset, &header, data) != 0) return false;
  const int probe = socket(AF_PACKET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (probe >= 0) close(probe);
  return probe < 0 && errno == EPERM;
}
