#include "app/dialog_provider.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace brevolt::app {
namespace {

class TQtDialogProvider final : public TDialogProvider {
 public:
  explicit TQtDialogProvider(QWidget* parent) : parent_(parent) {}

  bool PickFolder(const QString& caption, QString& directory) override {
    const QString chosen =
        QFileDialog::getExistingDirectory(parent_, caption, directory);
    if (chosen.isEmpty()) return false;
    directory = chosen;
    return true;
  }

  // One type, "txt" added to a bare name, an existing file replaced without
  // asking, and the name box filled with the previous choice.
  bool PickSaveFile(QString& path) override {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter("Text File (*.txt)");
    dialog.setDefaultSuffix("txt");
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!lastChoice_.isEmpty()) dialog.selectFile(lastChoice_);
    if (dialog.exec() != QDialog::Accepted ||
        dialog.selectedFiles().isEmpty()) {
      return false;
    }
    path = lastChoice_ = dialog.selectedFiles().front();
    return true;
  }

  void OpenUrl(const QString& address) override {
    QDesktopServices::openUrl(QUrl(address));
  }

  void ShowMessage(const QString& text) override {
    QMessageBox::information(parent_, QString(), text, QMessageBox::Ok);
  }

 private:
  QWidget* parent_;
  QString lastChoice_;
};

}  // namespace

std::unique_ptr<TDialogProvider> MakeQtDialogProvider(QWidget* parent) {
  return std::make_unique<TQtDialogProvider>(parent);
}

bool BrowseForFolder(TDialogProvider& dialogs, const QString& Caption,
                     QString& Directory) {
  return dialogs.PickFolder(Caption, Directory);
}

void OpenHomePage(TDialogProvider& dialogs, const QString& address) {
  dialogs.OpenUrl(address);
}

}  // namespace brevolt::app
