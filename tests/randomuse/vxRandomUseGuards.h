// What a random-use run watches besides the model: Qt's warnings, exceptions that reach Qt's
// event loop, and a crash, which ends the process, reported with the action that caused it.
#pragma once

#include <QApplication>

#include <string>
#include <vector>

namespace vxrandom {

// The application of a run: an exception that an event handler lets through is taken here,
// noted and dropped, instead of unwinding through Qt's event loop.
class TvxGuardedApplication : public QApplication {
public:
  TvxGuardedApplication(int& argc, char** argv);
  bool notify(QObject* Receiver, QEvent* Event) override;
};

// Notes every warning, critical and fatal message of Qt from now on (and still prints them).
void InstallWarningTrap();
std::vector<std::string> TakeQtWarnings();
std::vector<std::string> TakeEscapedExceptions();

// On a crash (a signal that ends the process, an AddressSanitizer report among them) the text
// last given here is written to standard error: the seed and the action under way.
void InstallCrashReporter();
void SetCrashContext(const std::string& Text);

}  // namespace vxrandom
