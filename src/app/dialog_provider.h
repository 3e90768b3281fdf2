// The modal dialogs and the shell, behind one interface so that tests can
// answer them. The window takes a provider in its constructor.
#pragma once

#include <QString>
#include <memory>

class QWidget;

namespace brevolt::app {

class TDialogProvider {
 public:
  virtual ~TDialogProvider() = default;
  // The folder picker. True with `directory` set when the user chose one;
  // false with `directory` untouched when cancelled.
  virtual bool PickFolder(const QString& caption, QString& directory) = 0;
  // The save dialog for the failure list. True with the chosen full path.
  virtual bool PickSaveFile(QString& path) = 0;
  // Opens an address with the user's default program; failures are ignored.
  virtual void OpenUrl(const QString& address) = 0;
  // A modal message with an OK button.
  virtual void ShowMessage(const QString& text) = 0;
};

// The real dialogs: Qt's file dialogs, message box and desktop services.
std::unique_ptr<TDialogProvider> MakeQtDialogProvider(QWidget* parent);

// The folder picker, starting in `Directory` and writing the choice back.
bool BrowseForFolder(TDialogProvider& dialogs, const QString& Caption,
                     QString& Directory);

// Opens the product's home page in the user's browser.
void OpenHomePage(TDialogProvider& dialogs, const QString& address);

}  // namespace brevolt::app
