// The host's own stack-pointer check must tell the conventions apart: a
// cdecl function leaves ESP alone, a stdcall one pops its arguments.
#include <string>

#include "windows/cdecl_call.h"
#include "windows/host_cases.h"

namespace {

int32_t __cdecl AddCdecl(int32_t a, int32_t b) { return a + b; }
int32_t __stdcall AddStdcall(int32_t a, int32_t b) { return a - b; }

}  // namespace

void RunStackCheckCases(CaseReport& report) {
  const uint32_t arguments[] = {7, 5};
  CaseCheck check("stack check tells cdecl from stdcall");
  const CdeclResult callerPops = CallCdecl(reinterpret_cast<const void*>(&AddCdecl), arguments, 2);
  check.Expect(callerPops.value == 12 && callerPops.stackDrift == 0,
               "cdecl: value " + std::to_string(callerPops.value) + ", drift " +
                   std::to_string(callerPops.stackDrift));
  const CdeclResult calleePops =
      CallCdecl(reinterpret_cast<const void*>(&AddStdcall), arguments, 2);
  check.Expect(calleePops.value == 2 && calleePops.stackDrift == 8,
               "stdcall: value " + std::to_string(calleePops.value) + ", drift " +
                   std::to_string(calleePops.stackDrift));
  report.Record(check);
}
