// Driving a modal dialog in a test without blocking: the handler runs once the dialog shows,
// while the code under test waits in the dialog's exec(). Qt tests only (header-only, so that the
// core's helpers stay free of Qt).
#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace vxtest {

// Calls Handle with the modal dialog once one shows; Handle must end it (accept, reject, close).
// Polling stops after TimeoutMs, so a dialog that never shows fails the test's own checks
// instead of leaving a timer behind. The poll is returned: a caller that knows the dialog will not
// come deletes it, so that it cannot take the next test's dialog for its own.
inline QPointer<QTimer> WhenModalShows(std::function<void(QWidget*)> Handle, int TimeoutMs = 10000) {
  auto* Poll = new QTimer;
  auto Waited = std::make_shared<int>(0);
  QObject::connect(Poll, &QTimer::timeout, Poll, [Poll, Handle = std::move(Handle), Waited, TimeoutMs] {
    QWidget* Modal = QApplication::activeModalWidget();
    *Waited += Poll->interval();
    if (Modal == nullptr && *Waited < TimeoutMs) return;
    Poll->stop();
    Poll->deleteLater();
    if (Modal != nullptr) Handle(Modal);
  });
  Poll->start(10);
  return Poll;
}

}  // namespace vxtest
