// The application object and its top-level error handler: an exception that
// escapes any event handler is caught here and shown in a modal error box,
// and the event loop goes on.
#pragma once

#include <QApplication>
#include <functional>
#include <stdexcept>

namespace brevolt::app {

// An error that ends the operation in progress without telling the user.
class EAbort : public std::runtime_error {
 public:
  EAbort() : std::runtime_error("Operation aborted") {}
};

// The message as the error box shows it: a full stop is appended when the
// last character's code is above that of the full stop (46).
QString WithFinalFullStop(const QString& message);

class TBrevoltApplication final : public QApplication {
 public:
  using ErrorBox = std::function<void(const QString&)>;

  TBrevoltApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // Replaces the modal error box, for tests.
  void SetErrorBox(ErrorBox box) { errorBox_ = std::move(box); }
  // Shows a message as the top-level handler does.
  void ShowError(const QString& message) const;

 private:
  ErrorBox errorBox_;
};

// Applies the one dark style to the whole application and switches the
// focus highlight off everywhere.
void ApplyStyleBook(QApplication& application);

}  // namespace brevolt::app
