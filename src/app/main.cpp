// Brevolt: the window.
#include <QMessageBox>

#include "app/application.h"
#include "app/dialog_provider.h"
#include "app/mainform.h"

int main(int argc, char** argv) {
  using namespace brevolt::app;
  TBrevoltApplication app(argc, argv);
  TBrevoltApplication::setApplicationDisplayName("Brevolt");
  ApplyStyleBook(app);
  const auto dialogs = MakeQtDialogProvider(nullptr);
  std::unique_ptr<Tmainform> window;
  try {
    window = std::make_unique<Tmainform>(*dialogs);
  } catch (const std::exception& error) {
    QMessageBox::critical(nullptr, "Brevolt", QString::fromUtf8(error.what()));
    return 1;
  }
  window->show();
  return TBrevoltApplication::exec();
}
