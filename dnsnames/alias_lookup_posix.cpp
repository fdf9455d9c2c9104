// LookupAliases through glibc's reentrant resolver, plus the PTR names that
// the host entry leaves out.
#include "dnsnames/alias_lookup.h"

#include <arpa/inet.h>
#include <arpa/nameser.h>
#include <netdb.h>
#include <netinet/in.h>
#include <resolv.h>
#include <strings.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Host entries larger than this are taken as a failed lookup rather than
// grown further.
constexpr std::size_t kMostEntryBuffer = 1 << 20;

bool Contains(const std::vector<std::string>& names, const char* name) {
  for (const std::string& known : names)
    if (strcasecmp(known.c_str(), name) == 0) return true;
  return false;
}

// glibc builds a host entry from the first PTR name of a reverse answer and
// drops the others; this asks DNS again and hands back the PTR names other
// than `entryName`, in the answer's order, each once.
void AddOtherPtrNames(uint32_t address, const char* entryName, std::vector<std::string>& aliases) {
  uint8_t octets[4];
  std::memcpy(octets, &address, sizeof octets);
  char query[32];
  std::snprintf(query, sizeof query, "%u.%u.%u.%u.in-addr.arpa", octets[3], octets[2], octets[1],
                octets[0]);

  struct __res_state state;  // per call: nothing shared between threads
  std::memset(&state, 0, sizeof state);
  if (res_ninit(&state) != 0) return;
  std::vector<unsigned char> answer(NS_PACKETSZ * 8);
  int length = res_nquery(&state, query, ns_c_in, ns_t_ptr, answer.data(),
                          static_cast<int>(answer.size()));
  if (length > static_cast<int>(answer.size()) && length <= NS_MAXMSG) {
    // The answer did not fit: ask once more with room for all of it.
    answer.resize(static_cast<std::size_t>(length));
    length = res_nquery(&state, query, ns_c_in, ns_t_ptr, answer.data(),
                        static_cast<int>(answer.size()));
  }
  res_nclose(&state);
  if (length <= 0 || length > static_cast<int>(answer.size())) return;

  ns_msg message;
  if (ns_initparse(answer.data(), length, &message) != 0) return;
  const int records = ns_msg_count(message, ns_s_an);
  for (int i = 0; i < records; ++i) {
    ns_rr record;
    if (ns_parserr(&message, ns_s_an, i, &record) != 0) return;
    if (ns_rr_type(record) != ns_t_ptr || ns_rr_class(record) != ns_c_in) continue;
    char name[NS_MAXDNAME];
    if (ns_name_uncompress(ns_msg_base(message), ns_msg_end(message), ns_rr_rdata(record), name,
                           sizeof name) < 0)
      continue;
    if (strcasecmp(name, entryName) == 0 || Contains(aliases, name)) continue;
    aliases.emplace_back(name);
  }
}

}  // namespace

AliasLookup LookupAliases(uint32_t address) {
  AliasLookup lookup;
  hostent entry{};
  hostent* result = nullptr;
  int hostError = 0;
  std::vector<char> buffer(1024);
  int status;
  for (;;) {
    status = gethostbyaddr_r(&address, sizeof address, AF_INET, &entry, buffer.data(),
                             buffer.size(), &result, &hostError);
    if (status != ERANGE || buffer.size() >= kMostEntryBuffer) break;
    buffer.resize(buffer.size() * 2);  // never a cut entry: retry with more room
  }
  if (status != 0 || result == nullptr) return lookup;

  lookup.found = true;
  for (char** alias = result->h_aliases; alias != nullptr && *alias != nullptr; ++alias)
    lookup.aliases.emplace_back(*alias);
  // An entry with aliases of its own (from the hosts file) sends no query.
  if (lookup.aliases.empty() && result->h_name != nullptr)
    AddOtherPtrNames(address, result->h_name, lookup.aliases);
  return lookup;
}
