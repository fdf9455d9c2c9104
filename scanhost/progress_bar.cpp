// FormatProgress and the terminal line that shows it.
#include "scanhost/progress_bar.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>

namespace {

std::string Duration(double seconds) {
  const auto whole = static_cast<unsigned long>(seconds + 0.5);
  char text[32];
  if (whole >= 3600)
    std::snprintf(text, sizeof text, "%lu:%02lu:%02lu", whole / 3600, whole / 60 % 60, whole % 60);
  else
    std::snprintf(text, sizeof text, "%lu:%02lu", whole / 60, whole % 60);
  return text;
}

}  // namespace

std::string FormatProgress(uint64_t done, uint64_t total, double elapsedSeconds, size_t width) {
  const double rate = elapsedSeconds > 0 ? static_cast<double>(done) / elapsedSeconds : 0;
  char tail[128];
  std::snprintf(tail, sizeof tail, " %llu/%llu  %.0f/s  left %s",
                static_cast<unsigned long long>(done), static_cast<unsigned long long>(total), rate,
                done > 0 && rate > 0 ? Duration(static_cast<double>(total - done) / rate).c_str()
                                     : "?");
  std::string line = tail;
  // The bar takes what the numbers leave, between 10 and 40 columns.
  const size_t room = width > line.size() + 2 ? width - line.size() - 2 : 0;
  const size_t bar = room < 10 ? 0 : (room > 40 ? 40 : room);
  if (bar > 0) {
    const size_t filled = total == 0 ? bar : static_cast<size_t>(bar * done / total);
    line = "[" + std::string(filled, '#') + std::string(bar - filled, '.') + "]" + line;
  }
  return line.size() > width ? line.substr(0, width) : line;
}

ProgressBar::ProgressBar(std::FILE* terminal, bool enabled)
    : terminal_(terminal),
      enabled_(enabled && isatty(fileno(terminal))),
      start_(std::chrono::steady_clock::now()) {}

void ProgressBar::Update(uint64_t done, uint64_t total) {
  if (!enabled_) return;
  // Ten redraws a second are enough for the eye, and cheap for the terminal.
  const auto now = std::chrono::steady_clock::now();
  if (drawn_ && done < total && now - lastDrawn_ < std::chrono::milliseconds(100)) return;
  lastDrawn_ = now;
  winsize size{};
  const size_t width =
      ioctl(fileno(terminal_), TIOCGWINSZ, &size) == 0 && size.ws_col > 0 ? size.ws_col - 1 : 79;
  const double elapsed = std::chrono::duration<double>(now - start_).count();
  std::fprintf(terminal_, "\r%s\033[K", FormatProgress(done, total, elapsed, width).c_str());
  std::fflush(terminal_);
  drawn_ = true;
}

void ProgressBar::Clear() {
  if (!drawn_) return;
  std::fprintf(terminal_, "\r\033[K");
  std::fflush(terminal_);
  drawn_ = false;
}
