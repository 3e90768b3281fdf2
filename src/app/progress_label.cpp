#include "app/progress_label.h"

#include <QPainter>
#include <QStyle>

namespace brevolt::app {

TProgressLabel::TProgressLabel(const char* name, QRect geometry, bool wrap,
                               QWidget* parent)
    : QWidget(parent), wrap_(wrap) {
  setObjectName(name);
  setGeometry(geometry);
  setFocusPolicy(Qt::NoFocus);
}

void TProgressLabel::setText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  update();
}

void TProgressLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setPen(palette().color(foregroundRole()));
  if (wrap_) {
    painter.drawText(
        rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere, text_);
  } else {
    const QString shown =
        fontMetrics().elidedText(text_, Qt::ElideMiddle, width());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, shown);
  }
}

}  // namespace brevolt::app
