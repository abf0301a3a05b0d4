#include "qt/clqtstatuslabel.h"

#include <cstring>

namespace {

// About 30 frames a second: quick enough to read as live, rare enough to cost nothing.
constexpr int kFrameMs = 33;

}  // namespace

clQtStatusLabel::clQtStatusLabel(QLabel*& label) : label(label) {
  frameTimer.setSingleShot(true);
  QObject::connect(&frameTimer, &QTimer::timeout, [this] { FlushProgress(); });
}

void clQtStatusLabel::SetText(const std::string& text) {
  SetText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void clQtStatusLabel::SetText(const QString& text) {
  hasPending = false;
  frameTimer.stop();
  Show(text);
}

void clQtStatusLabel::OfferProgress(const char* text) {
  if (text == nullptr) text = "";
  const std::size_t length = strnlen(text, sizeof pending - 1);
  std::memcpy(pending, text, length);
  pending[length] = '\0';
  hasPending = true;
  if (!frameTimer.isActive()) frameTimer.start(kFrameMs);
}

void clQtStatusLabel::FlushProgress() {
  if (!hasPending) return;
  hasPending = false;
  frameTimer.stop();
  Show(QString::fromUtf8(pending));
}

void clQtStatusLabel::Show(const QString& text) {
  if (label != nullptr) label->setText(text);
}
