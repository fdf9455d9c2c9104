// Whether this process runs on the scanning side of a lab (lab/with-lab),
// the only place where the lab tests and benchmarks may send anything.
#pragma once

#include <string>

// Empty inside a lab's scanning namespace; otherwise why not. Inside, the
// lab's address 198.18.0.1 is ours and the only name server is the lab's
// dnsmasq on 127.0.0.1.
std::string WhyNotOnLabSide();
