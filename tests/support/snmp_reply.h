// GetResponse datagrams built for tests: well-formed BER with short or
// long-form lengths, so readers can be fed every shape a real agent sends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "snmp_query/reply_buffer.h"

using Bytes = std::vector<uint8_t>;

// One TLV; lengths below 128 take one byte unless `longForm`.
Bytes Tlv(uint8_t tag, const Bytes& content, bool longForm = false);

// A GetResponse-PDU for 1.3.6.1.2.1.1.<arc>.0 whose value has `type` and
// `value` as content.
Bytes Response(uint8_t arc, uint8_t type, const Bytes& value, uint8_t errorStatus = 0,
               bool longForm = false);

Bytes Text(const std::string& text);

// The datagram as AgentQuery would leave it in the reply buffer; the rest of
// the buffer is filled with 'X' so that reading past `received` shows.
ReplyBuffer AsReceived(const Bytes& datagram);
