// Drives the real window without a person: picks a folder, runs a scan with
// the default settings, then prints the scan's wall time and, when asked,
// saves a screenshot. Used for the README's picture and the window's speed
// figure; run it under Xvfb for a real display.
//
//   brevolt-window-driver FOLDER [SCREENSHOT.png]
#include <QElapsedTimer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "app/application.h"
#include "app/mainform.h"

namespace {

class TScriptedDialogs final : public brevolt::app::TDialogProvider {
 public:
  explicit TScriptedDialogs(QString folder) : folder_(std::move(folder)) {}
  bool PickFolder(const QString&, QString& directory) override {
    directory = folder_;
    return true;
  }
  bool PickSaveFile(QString&) override { return false; }
  void OpenUrl(const QString&) override {}
  void ShowMessage(const QString& text) override {
    std::fprintf(stderr, "message: %s\n", qPrintable(text));
  }

 private:
  QString folder_;
};

}  // namespace

int main(int argc, char** argv) {
  using namespace brevolt::app;
  TBrevoltApplication app(argc, argv);
  ApplyStyleBook(app);
  const QStringList args = TBrevoltApplication::arguments();
  if (args.size() < 2) {
    std::fprintf(stderr,
                 "usage: brevolt-window-driver FOLDER [SCREENSHOT.png]\n");
    return 2;
  }
  TScriptedDialogs dialogs(args.at(1));
  Tmainform window(dialogs, {QString(), QString()});
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  auto* select = window.findChild<QPushButton*>("selectfolderbutton");
  auto* scan = window.findChild<QPushButton*>("scanbutton");
  QTest::mouseClick(select, Qt::LeftButton);
  QElapsedTimer timer;
  timer.start();
  QTest::mouseClick(scan, Qt::LeftButton);
  const qint64 elapsed = timer.elapsed();
  std::printf("window scan: %.3f s\n", static_cast<double>(elapsed) / 1000.0);
  if (args.size() > 2) {
    QTest::qWait(200);
    window.grab().save(args.at(2));
  }
  return 0;
}
