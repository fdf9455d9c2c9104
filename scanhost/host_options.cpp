// ParseHostOptions with CLI11.
#include "scanhost/host_options.h"

#include <CLI/CLI.hpp>

#include <map>

#include "scanhost/plugin_loader.h"
#include "scanhost/scan_scheduler.h"

#ifndef SCANHOST_VERSION
#define SCANHOST_VERSION "0"
#endif

int ParseHostOptions(int argc, char** argv, HostOptions* options) {
  CLI::App app{
      "scanhost scans IPv4 addresses with column plug-ins: each plug-in module adds one "
      "column, filled for every address by its Scan.",
      "scanhost"};
  app.set_version_flag("--version", "scanhost " SCANHOST_VERSION);
  app.add_option("targets", options->targets,
                 "What to scan: an address (198.18.0.1), a CIDR block (198.18.0.0/28, every\n"
                 "address of the block), a range (198.18.0.1-198.18.0.20 or 198.18.0.1-20)\n"
                 "or a host name (resolved once). Repeated addresses are scanned once.");
  app.add_option("-p,--plugin", options->plugins,
                 "Load this plug-in module (repeatable). With --plugin or --plugin-dir,\n"
                 "the default folder is not searched.")
      ->allow_extra_args(false);
  app.add_option("--plugin-dir", options->pluginDirs,
                 "Load every *.so module of this folder (repeatable).")
      ->allow_extra_args(false)
      ->check(CLI::ExistingDirectory);
  app.add_flag("--list-plugins", options->listPlugins,
               "Print each plug-in's file, name, description, author, web page and level.");
  app.add_option("--options", options->optionsOf,
                 "Show the options of the plug-in with this column name (or file name).");
  app.add_option("-t,--threads", options->threads,
                 "Worker threads (default: one per Scan call, at most 1024).")
      ->check(CLI::Range(size_t{1}, size_t{16384}));
  app.add_option("--text-size", options->textSize,
                 "Size in bytes of each call's column text buffer (default 1024).")
      ->check(CLI::Range(1, 65536));
  const std::map<std::string, OutputFormat> formats{
      {"table", OutputFormat::Table}, {"csv", OutputFormat::Csv}, {"json", OutputFormat::Json}};
  std::string format = "table";
  app.add_option("-f,--format", format,
                 "table (aligned, the default; kept until the scan ends), or csv (RFC 4180)\n"
                 "or json, streamed row by row in address order with bounded memory.")
      ->check(CLI::IsMember({"table", "csv", "json"}))
      ->option_text("FORMAT");
  app.add_option("--max-width", options->maxWidth,
                 "Cut table cells wider than this, ending them in ... (default 64; 0: never).");
  app.add_option("-o,--output", options->output, "Write the results to this file.");
  app.add_option("--only", options->only,
                 "List only addresses whose column of this name is not empty\n"
                 "(--only 'ARP MAC' lists the hosts that answered ARP).");
  app.add_flag("-q,--quiet", options->quiet, "No progress line on standard error.");
  app.add_flag("--allow-large", options->allowLarge,
               "Allow scans of more than 65536 addresses.");
  app.footer(
      "Plug-ins: by default every *.so module in " + DefaultPluginDirectory() +
      "\n(the folder `plugins` beside the program, else ../lib/probe-columns from it).\n"
      "Each module exports Info, Options, Init, Scan and Finalize; Info gets a record\n"
      "with HostLevel " + std::to_string(kHostLevel) + ".\n\n"
      "Ctrl-C stops the scan: running calls finish, the results so far are printed.\n"
      "Exit status: 0 done, 1 a plug-in could not be loaded or a run-time error,\n"
      "2 bad usage, 130 interrupted.");
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return kExitUsage;
  }
  options->format = formats.at(format);
  if (options->targets.empty() && !options->listPlugins && options->optionsOf.empty()) {
    std::fprintf(stderr, "scanhost: no target given; see scanhost --help\n");
    return kExitUsage;
  }
  return -1;
}
