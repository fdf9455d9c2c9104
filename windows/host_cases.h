// The groups of cases that the Windows test host runs, one file each.
#pragma once

#include "windows/case_report.h"
#include "windows/plugin_set.h"

void RunInfoCases(PluginSet& plugins, CaseReport& report);
void RunSnmpCases(PluginSet& plugins, CaseReport& report);
void RunAliasCases(PluginSet& plugins, CaseReport& report);
void RunLinkCases(PluginSet& plugins, CaseReport& report);
void RunOptionsCases(PluginSet& plugins, CaseReport& report);
void RunSeamCases(CaseReport& report);
void RunStackCheckCases(CaseReport& report);

// Checks that every call so far into `plugin` returned with ESP where cdecl
// leaves it; adds its findings to `check`.
void ExpectCdecl(const PluginUnderTest& plugin, CaseCheck& check);
