#include "app/application.h"

#include <QFile>
#include <QIcon>
#include <QMessageBox>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>

// The style sheet lives in a resource of this static library, which must be
// registered from the global namespace.
static void InitStyleResource() { Q_INIT_RESOURCE(brevolt); }

namespace brevolt::app {
namespace {

// Fusion without the frame that marks the focused control.
class TNoFocusHighlightStyle final : public QProxyStyle {
 public:
  TNoFocusHighlightStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                     QPainter* painter, const QWidget* widget) const override {
    if (element == PE_FrameFocusRect) return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
  }
};

QPalette DarkPalette() {
  QPalette palette;
  const QColor window(0x39, 0x39, 0x39);
  const QColor base(0x2b, 0x2b, 0x2b);
  const QColor text(0xe6, 0xe6, 0xe6);
  palette.setColor(QPalette::Window, window);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Base, base);
  palette.setColor(QPalette::AlternateBase, window);
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::Button, QColor(0x4a, 0x4a, 0x4a));
  palette.setColor(QPalette::ButtonText, text);
  palette.setColor(QPalette::Highlight, QColor(0x2f, 0x6f, 0xb3));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  palette.setColor(QPalette::ToolTipBase, base);
  palette.setColor(QPalette::ToolTipText, text);
  palette.setColor(QPalette::Disabled, QPalette::ButtonText,
                   QColor(0x80, 0x80, 0x80));
  palette.setColor(QPalette::Disabled, QPalette::WindowText,
                   QColor(0x80, 0x80, 0x80));
  palette.setColor(QPalette::Disabled, QPalette::Text,
                   QColor(0x80, 0x80, 0x80));
  return palette;
}

}  // namespace

QString WithFinalFullStop(const QString& message) {
  if (!message.isEmpty() && message.back().unicode() > u'.')
    return message + u'.';
  return message;
}

TBrevoltApplication::TBrevoltApplication(int& argc, char** argv)
    : QApplication(argc, argv) {
  errorBox_ = [](const QString& text) {
    QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), text,
                          QMessageBox::Ok);
  };
}

bool TBrevoltApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const EAbort&) {
    // Silent by design.
  } catch (const std::exception& error) {
    ShowError(QString::fromUtf8(error.what()));
  }
  return false;
}

void TBrevoltApplication::ShowError(const QString& message) const {
  errorBox_(WithFinalFullStop(message));
}

void ApplyStyleBook(QApplication& application) {
  InitStyleResource();
  application.setWindowIcon(QIcon(":/brevolt/brevolt.ico"));
  application.setStyle(new TNoFocusHighlightStyle);
  application.setPalette(DarkPalette());
  QFile sheet(":/brevolt/style.qss");
  if (sheet.open(QIODevice::ReadOnly)) {
    application.setStyleSheet(QString::fromUtf8(sheet.readAll()));
  }
}

}  // namespace brevolt::app
