// The unattended side of the user interface and the choice of platform: no
// widgets, so that the program that runs without windows needs none.
#include "app/qt_user_interface.h"

#include <QGuiApplication>

#include <cerrno>
#include <cstdlib>
#include <iostream>

namespace vesprin {

// Each line headed by the program's name, like every other line it writes.
void UnattendedUserInterface::error(const std::string& text) {
  std::cerr << program_invocation_short_name << ": message: " << text << '\n';
}

bool UnattendedUserInterface::confirm(const std::string& text, PromptButtons) {
  std::cerr << program_invocation_short_name << ": message: " << text << " (no one to answer: given up)\n";
  return false;
}

std::string platformChoice(const char* qpa, const char* display, const char* wayland) {
  const auto set = [](const char* v) { return v && *v; };
  if (set(qpa)) return {};
  if (set(wayland)) return "wayland;xcb;offscreen";
  if (set(display)) return "xcb;offscreen";
  return "offscreen";
}

void choosePlatform() {
  const std::string platform = platformChoice(std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"),
                                              std::getenv("WAYLAND_DISPLAY"));
  if (!platform.empty()) ::setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
}

bool isUnattendedPlatform(std::string_view name) { return name == "offscreen" || name == "minimal"; }

bool runsUnattended() { return isUnattendedPlatform(QGuiApplication::platformName().toStdString()); }

}  // namespace vesprin
