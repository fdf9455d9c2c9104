// Calls into a plug-in export with the C convention while watching the stack
// pointer, so that an export built with the wrong convention is caught.
#pragma once

#include <cstdint>

struct CdeclResult {
  int32_t value;       // what the export returned in EAX
  int32_t stackDrift;  // ESP after the return minus ESP at the call; 0 for cdecl
};

// Pushes `count` 32-bit arguments (the first one last, so it ends on top),
// calls `function`, and measures how far the callee moved ESP before the
// caller removes the arguments. A stdcall export would drift by 4 * count.
CdeclResult CallCdecl(const void* function, const uint32_t* arguments, uint32_t count);
