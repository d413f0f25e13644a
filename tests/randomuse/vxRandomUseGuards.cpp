#include "vxRandomUseGuards.h"

#include <unistd.h>
#include <csignal>
#include <cstring>
#include <exception>

namespace vxrandom {
namespace {

std::vector<std::string>& Warnings() {
  static std::vector<std::string> List;
  return List;
}

std::vector<std::string>& Escaped() {
  static std::vector<std::string> List;
  return List;
}

QtMessageHandler GPreviousHandler = nullptr;

// What the offscreen platform (it cannot size, raise or grab for a popup) and a machine without
// a user session say about themselves, not about the component's widgets.
bool IsPlatformNotice(const QString& Message) {
  return Message.startsWith(QLatin1String("This plugin does not support ")) ||
         Message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"));
}

void TrapMessage(QtMsgType Type, const QMessageLogContext& Context, const QString& Message) {
  // Said on every popup: printing it would bury what a run prints.
  if (IsPlatformNotice(Message)) return;
  if (Type == QtWarningMsg || Type == QtCriticalMsg || Type == QtFatalMsg) Warnings().push_back(Message.toStdString());
  if (GPreviousHandler != nullptr) GPreviousHandler(Type, Context, Message);
}

// Written by the signal handler, which may call nothing but write: a fixed buffer.
char GCrashContext[4096] = "";

void ReportCrash(int Signal) {
  const char Head[] = "\n*** random use: the process crashed during\n";
  [[maybe_unused]] ssize_t Written = write(STDERR_FILENO, Head, sizeof Head - 1);
  Written = write(STDERR_FILENO, GCrashContext, strnlen(GCrashContext, sizeof GCrashContext));
  Written = write(STDERR_FILENO, "\n", 1);
  std::signal(Signal, SIG_DFL);
  std::raise(Signal);
}

}  // namespace

TvxGuardedApplication::TvxGuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TvxGuardedApplication::notify(QObject* Receiver, QEvent* Event) {
  try {
    return QApplication::notify(Receiver, Event);
  } catch (const std::exception& Error) {
    Escaped().push_back(std::string(Error.what()) + " (event type " + std::to_string(Event->type()) + ")");
  } catch (...) {
    Escaped().push_back("an exception that is no std::exception (event type " + std::to_string(Event->type()) + ")");
  }
  return false;
}

void InstallWarningTrap() {
  QtMessageHandler Previous = qInstallMessageHandler(TrapMessage);
  if (Previous != TrapMessage) GPreviousHandler = Previous;
}

std::vector<std::string> TakeQtWarnings() { return std::exchange(Warnings(), {}); }

std::vector<std::string> TakeEscapedExceptions() { return std::exchange(Escaped(), {}); }

void InstallCrashReporter() {
  for (int Signal : {SIGSEGV, SIGABRT, SIGFPE, SIGILL, SIGBUS}) std::signal(Signal, ReportCrash);
}

void SetCrashContext(const std::string& Text) {
  const size_t Length = std::min(Text.size(), sizeof GCrashContext - 1);
  std::memcpy(GCrashContext, Text.data(), Length);
  GCrashContext[Length] = 0;
}

}  // namespace vxrandom
