// Test encoder for SNMP GetResponse messages.
#include "tests/support/snmp_reply.h"

#include <algorithm>
#include <cstring>

Bytes Tlv(uint8_t tag, const Bytes& content, bool longForm) {
  Bytes out{tag};
  const std::size_t length = content.size();
  if (length < 128 && !longForm) {
    out.push_back(static_cast<uint8_t>(length));
  } else if (length < 256) {
    out.insert(out.end(), {0x81, static_cast<uint8_t>(length)});
  } else {
    out.insert(out.end(), {0x82, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)});
  }
  out.insert(out.end(), content.begin(), content.end());
  return out;
}

Bytes Response(uint8_t arc, uint8_t type, const Bytes& value, uint8_t errorStatus,
               bool longForm) {
  auto join = [](std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
  };
  const Bytes name = Tlv(0x06, {0x2B, 0x06, 0x01, 0x02, 0x01, 0x01, arc, 0x00}, longForm);
  const Bytes binding = Tlv(0x30, join({name, Tlv(type, value, longForm)}), longForm);
  const Bytes pdu = Tlv(0xA2,
                        join({Tlv(0x02, {0x01}, longForm), Tlv(0x02, {errorStatus}, longForm),
                              Tlv(0x02, {0x00}, longForm), Tlv(0x30, binding, longForm)}),
                        longForm);
  return Tlv(0x30, join({Tlv(0x02, {0x00}, longForm), Tlv(0x04, Text("varnek"), longForm), pdu}),
             longForm);
}

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

ReplyBuffer AsReceived(const Bytes& datagram) {
  ReplyBuffer reply;
  std::memset(reply.bytes, 'X', sizeof reply.bytes);
  const std::size_t size = std::min<std::size_t>(datagram.size(), sizeof reply.bytes);
  if (size > 0) std::memcpy(reply.bytes, datagram.data(), size);
  reply.received = static_cast<int32_t>(size);
  return reply;
}
