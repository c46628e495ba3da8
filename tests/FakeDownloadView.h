#pragma once

#include "link/LoggerLink.h"

#include <QStringList>
#include <functional>

namespace ptlog::test {

// The status panel and message boxes of the download, as plain values.
class FakeDownloadView : public DownloadView {
public:
  bool AskYesNo(const QString& q) override { return questions << q, answerYes; }
  void ShowError(const QString& t) override { errors << t; }
  void ShowLineError(const QString&) override {}
  void SetStatusText(const QString& t) override { status = t; }
  void SetStatusTextVisible(bool) override {}
  void SetOkVisible(bool v) override { okVisible = v; }
  void SetPanelVisible(bool v) override {
    panelVisible = v;
    if (onPanel) onPanel(v);
  }
  QString ActivityText() const override { return activity[0]; }
  void SetActivityText(int i, const QString& t) override {
    activity[i] = t;
    if (onActivity) onActivity();
  }
  bool Ending() const override { return ending; }

  bool answerYes = true, ending = false, okVisible = false, panelVisible = false;
  QStringList questions, errors;
  QString status, activity[2];
  std::function<void(bool)> onPanel;
  std::function<void()> onActivity;
};

}  // namespace ptlog::test
