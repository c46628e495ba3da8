#include "platform/SessionEnd.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>
#include <csignal>

namespace ptlog {

namespace {
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] auto written = ::write(signalPipe[0], &byte, 1);
}
}  // namespace

void WatchSessionEnd(std::function<void()> onEnd) {
  auto shared = std::make_shared<std::function<void()>>(std::move(onEnd));

  if (signalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) == 0) {
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [shared] {
      char byte;
      [[maybe_unused]] auto got = ::read(signalPipe[1], &byte, 1);
      (*shared)();
    });
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGHUP, SIGINT}) sigaction(sig, &action, nullptr);
  }

  QObject::connect(qApp, &QGuiApplication::commitDataRequest, qApp,
                   [shared](QSessionManager&) { (*shared)(); });
}

}  // namespace ptlog
