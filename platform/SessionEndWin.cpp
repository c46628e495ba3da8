#include "platform/SessionEnd.h"

#include <QGuiApplication>
#include <QSessionManager>

#include <memory>

namespace ptlog {

// Windows tells a window program of a logoff or shutdown through the session
// manager only; Ctrl+C and console signals do not reach it.
void WatchSessionEnd(std::function<void()> onEnd) {
  auto shared = std::make_shared<std::function<void()>>(std::move(onEnd));
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, qApp, [shared](QSessionManager&) { (*shared)(); });
}

}  // namespace ptlog
