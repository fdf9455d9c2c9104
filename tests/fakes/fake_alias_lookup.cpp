// LookupAliases, scripted for the core tests.
#include "tests/fakes/fake_alias_lookup.h"

ScriptedAliases scriptedAliases;

AliasLookup LookupAliases(uint32_t address) {
  ++scriptedAliases.calls;
  scriptedAliases.address = address;
  return scriptedAliases.answer;
}
