// A label for text that changes with every file of a scan. A QLabel asks its
// parent to redo the layout on every change, which costs more than checking
// a file; this one only stores the text and repaints, so a change is cheap
// and a repaint happens only when updates are enabled.
#pragma once

#include <QWidget>

namespace brevolt::app {

class TProgressLabel final : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString text READ text WRITE setText)

 public:
  TProgressLabel(const char* name, QRect geometry, bool wrap, QWidget* parent);

  [[nodiscard]] const QString& text() const { return text_; }
  void setText(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  bool wrap_;
};

}  // namespace brevolt::app
