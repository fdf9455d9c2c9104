// Feeds arbitrary datagrams to the reply readers: nothing may be read outside
// the received bytes or written outside the column buffer.
#include <cstdint>
#include <cstring>

#include "agentclock/uptime.h"
#include "agentlabel/read_description.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > static_cast<size_t>(kReplyCapacity)) size = kReplyCapacity;
  // Only the received bytes are valid; the rest of the buffer stays poisoned
  // for ASan by living in its own exact-size allocation.
  auto* reply = static_cast<ReplyBuffer*>(::operator new(sizeof(ReplyBuffer)));
  std::memcpy(reply->bytes, data, size);
  reply->received = static_cast<int32_t>(size);
  const int32_t textSize = size > 0 ? data[0] % 64 : 1;
  char* text = new char[static_cast<size_t>(textSize) + 1];
  text[0] = '\0';
  ReadDescription(*reply, text, textSize);
  AppendUptime(*reply, text, textSize);
  delete[] text;
  ::operator delete(reply);
  return 0;
}
