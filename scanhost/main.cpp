// scanhost: loads the column plug-ins, scans the targets with them and
// prints one row per address.
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <set>

#include "scanhost/host_options.h"
#include "scanhost/host_resolver.h"
#include "scanhost/interrupt_signal.h"
#include "scanhost/plugin_loader.h"
#include "scanhost/progress_bar.h"
#include "scanhost/row_writer.h"
#include "scanhost/scan_scheduler.h"
#include "scanhost/target_list.h"

namespace {

using PluginList = std::vector<std::unique_ptr<LoadedPlugin>>;

void Complain(const std::string& message) {
  std::fprintf(stderr, "scanhost: %s\n", message.c_str());
}

// Loads the modules that the options name; reports and skips the ones that
// fail. Returns false when any failed.
bool LoadPlugins(const HostOptions& options, PluginList* plugins) {
  std::vector<std::string> paths = options.plugins;
  std::vector<std::string> dirs = options.pluginDirs;
  if (paths.empty() && dirs.empty()) dirs.push_back(DefaultPluginDirectory());
  for (const std::string& dir : dirs) {
    const std::vector<std::string> found = ListModules(dir);
    if (found.empty()) Complain("no plug-in modules (*.so) in " + dir);
    paths.insert(paths.end(), found.begin(), found.end());
  }
  bool allLoaded = true;
  std::set<std::string> seen;
  for (const std::string& path : paths) {
    char resolved[PATH_MAX];
    const std::string key = realpath(path.c_str(), resolved) ? resolved : path;
    if (!seen.insert(key).second) continue;  // the same module named twice
    std::string error;
    auto plugin = LoadPlugin(path, &error);
    if (plugin) {
      plugins->push_back(std::move(plugin));
    } else {
      Complain(error + " (skipped)");
      allLoaded = false;
    }
  }
  return allLoaded;
}

void ListPlugins(const PluginList& plugins) {
  for (const auto& plugin : plugins) {
    std::string description = plugin->Description();
    for (size_t at = description.find('\n'); at != std::string::npos;
         at = description.find('\n', at + 1))
      description.insert(at + 1, "               ");
    std::printf("%s\n  Name:        %s\n  Description: %s\n  Author:      %s\n"
                "  Web page:    %s\n  Level:       %d\n",
                plugin->path().c_str(), plugin->Name().c_str(), description.c_str(),
                plugin->Author().c_str(), plugin->WebPage().c_str(), plugin->Level());
  }
}

int ShowOptions(const PluginList& plugins, const std::string& wanted) {
  for (const auto& plugin : plugins) {
    const std::string& path = plugin->path();
    const std::string file = path.substr(path.rfind('/') + 1);
    if (plugin->Name() == wanted || file == wanted || file == wanted + ".so") {
      plugin->Options(nullptr);
      return kExitOk;
    }
  }
  Complain("no loaded plug-in has the name '" + wanted + "'; see --list-plugins");
  return kExitUsage;
}

// Column names as the writers get them: a name that repeats, or that is the
// address column's own, gets " #2"...
std::vector<std::string> ColumnNames(const PluginList& plugins) {
  std::vector<std::string> names;
  for (const auto& plugin : plugins) {
    std::string name = plugin->Name();
    int copy = 1;
    auto taken = [&](const std::string& n) {
      if (n == "address" || n == "Address") return true;
      for (const auto& each : names)
        if (each == n) return true;
      return false;
    };
    while (taken(copy == 1 ? name : name + " #" + std::to_string(copy))) ++copy;
    names.push_back(copy == 1 ? name : name + " #" + std::to_string(copy));
  }
  return names;
}

}  // namespace

int main(int argc, char** argv) {
  HostOptions options;
  const int parsed = ParseHostOptions(argc, argv, &options);
  if (parsed >= 0) return parsed;
  WatchInterrupts();

  PluginList plugins;
  const bool allLoaded = LoadPlugins(options, &plugins);
  if (options.listPlugins) {
    ListPlugins(plugins);
    return allLoaded ? kExitOk : kExitFailure;
  }
  if (!options.optionsOf.empty()) return ShowOptions(plugins, options.optionsOf);

  AddressSet addresses;
  std::string error;
  if (!BuildTargetSet(options.targets, options.allowLarge, ResolveHostName, &addresses, &error)) {
    Complain(error);
    return kExitUsage;
  }
  if (plugins.empty()) {
    Complain("no plug-in could be loaded; nothing to scan with");
    return kExitFailure;
  }
  const std::vector<std::string> columns = ColumnNames(plugins);
  size_t onlyColumn = columns.size();
  if (!options.only.empty()) {
    for (size_t i = 0; i < columns.size(); ++i)
      if (columns[i] == options.only) onlyColumn = i;
    if (onlyColumn == columns.size()) {
      Complain("--only: no column named '" + options.only + "'");
      return kExitUsage;
    }
  }

  std::ofstream file;
  if (!options.output.empty()) {
    file.open(options.output, std::ios::binary | std::ios::trunc);
    if (!file) {
      Complain("cannot write " + options.output);
      return kExitFailure;
    }
  }
  std::ostream& out = options.output.empty() ? std::cout : file;
  std::ios::sync_with_stdio(false);
  const auto writer = MakeRowWriter(options.format, out, options.maxWidth);
  ProgressBar progress(stderr, !options.quiet);
  // Rows streamed to the terminal that also shows the progress line.
  const bool sharesTerminal = options.output.empty() && isatty(STDOUT_FILENO) &&
                              options.format != OutputFormat::Table;

  std::vector<ScanFunction> scans;
  for (const auto& plugin : plugins) scans.push_back(plugin->Scan);
  ScanSettings settings;
  settings.threads = options.threads;
  settings.textSize = options.textSize;

  // Init of every plug-in before the first Scan, Finalize after the last:
  // RunScan returns only once every worker thread has ended.
  for (const auto& plugin : plugins) plugin->Init();
  writer->Begin(columns);
  const ScanSummary summary = RunScan(
      addresses, scans, settings, InterruptRequested(),
      [&](uint32_t address, const std::vector<std::string>& texts) {
        if (onlyColumn < texts.size() && texts[onlyColumn].empty()) return;
        if (sharesTerminal) progress.Clear();
        writer->Row(address, texts);
      },
      [&](uint64_t done, uint64_t total) { progress.Update(done, total); });
  for (const auto& plugin : plugins) plugin->Finalize();
  progress.Clear();
  writer->End();
  plugins.clear();  // unloads every module

  if (summary.threads == 0 && summary.addresses > 0) {
    Complain("could not start any worker thread");
    return kExitFailure;
  }
  if (!out) {
    Complain("writing the results failed");
    return kExitFailure;
  }
  if (InterruptRequested().load()) {
    Complain("interrupted: " + std::to_string(summary.rows) + " of " +
             std::to_string(summary.addresses) + " addresses scanned");
    return InterruptExitStatus();
  }
  return allLoaded ? kExitOk : kExitFailure;
}
