// FindReplyValue: a bounds-checked walk of the reply's BER structure.
#include "snmp_query/reply_buffer.h"

#include <cstddef>

namespace {

constexpr std::size_t kFixedValueOffset = 40;

// One type-length-value element inside [begin, end).
struct Element {
  const uint8_t* content;
  std::size_t length;
  const uint8_t* next;  // first byte after the element
};

// Reads the element starting at `at`; fails unless the header and the whole
// content lie inside `end`. Lengths: short form, or long form of 1 to 4 bytes.
bool ReadElement(const uint8_t* at, const uint8_t* end, Element* element) {
  if (end - at < 2) return false;
  const uint8_t first = at[1];
  const uint8_t* cursor = at + 2;
  std::size_t length = first;
  if (first & 0x80) {
    const std::size_t count = first & 0x7F;
    if (count == 0 || count > 4 || static_cast<std::size_t>(end - cursor) < count) return false;
    length = 0;
    for (std::size_t i = 0; i < count; ++i) length = (length << 8) | *cursor++;
  }
  if (static_cast<std::size_t>(end - cursor) < length) return false;
  element->content = cursor;
  element->length = length;
  element->next = cursor + length;
  return true;
}

// Steps over `count` elements inside [*at, end).
bool Skip(const uint8_t** at, const uint8_t* end, int count) {
  Element element;
  for (int i = 0; i < count; ++i) {
    if (!ReadElement(*at, end, &element)) return false;
    *at = element.next;
  }
  return true;
}

bool IsZeroInteger(const Element& element) {
  for (std::size_t i = 0; i < element.length; ++i)
    if (element.content[i] != 0) return false;
  return true;
}

}  // namespace

std::optional<ReplyValue> FindReplyValue(const ReplyBuffer& reply) {
  if (reply.received <= 0 || reply.received > kReplyCapacity) return std::nullopt;
  const uint8_t* const begin = reply.bytes;
  const uint8_t* const end = begin + reply.received;

  Element message, pdu, status, bindings, binding, value;
  if (!ReadElement(begin, end, &message)) return std::nullopt;
  const uint8_t* at = message.content;
  const uint8_t* const messageEnd = message.next;
  if (!Skip(&at, messageEnd, 2) || !ReadElement(at, messageEnd, &pdu))  // version, community
    return std::nullopt;
  at = pdu.content;
  if (!Skip(&at, pdu.next, 1) || !ReadElement(at, pdu.next, &status))  // request-id
    return std::nullopt;
  at = status.next;
  if (!Skip(&at, pdu.next, 1) || !ReadElement(at, pdu.next, &bindings))  // error-index
    return std::nullopt;
  at = bindings.content;
  if (!ReadElement(at, bindings.next, &binding)) return std::nullopt;
  at = binding.content;
  if (!Skip(&at, binding.next, 1) || !ReadElement(at, binding.next, &value))  // name
    return std::nullopt;

  const bool fixedLayout = value.content == begin + kFixedValueOffset &&
                           value.content[-1] == value.length;
  if (!fixedLayout && !IsZeroInteger(status)) return std::nullopt;
  return ReplyValue{value.content, static_cast<int32_t>(value.length)};
}
