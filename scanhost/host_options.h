// The command line of scanhost, parsed into plain settings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scanhost/row_writer.h"

struct HostOptions {
  std::vector<std::string> targets;
  std::vector<std::string> plugins;       // --plugin, in the given order
  std::vector<std::string> pluginDirs;    // --plugin-dir
  bool listPlugins = false;
  std::string optionsOf;                  // --options NAME
  size_t threads = 0;                     // 0: the default for the scan's size
  int32_t textSize = 1024;
  OutputFormat format = OutputFormat::Table;
  std::string output;                     // empty: standard output
  std::string only;                       // --only COLUMN
  size_t maxWidth = 64;                   // table cells cut beyond this; 0: never
  bool quiet = false;
  bool allowLarge = false;
};

// Exit statuses of the command.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// Parses argv. Returns -1 when the program should go on with `options`, or
// the exit status when it has already done all it should (--help, --version,
// a usage error, reported on standard error).
int ParseHostOptions(int argc, char** argv, HostOptions* options);
