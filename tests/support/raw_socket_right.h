// Lets one thread run without CAP_NET_RAW, as an unprivileged scanner would.
#pragma once

// Takes CAP_NET_RAW out of the calling thread's effective set (capabilities
// are per thread on Linux; the rest of the process keeps it). True when the
// thread's packet sockets are now refused.
bool DropRawSocketRight();
