#include "qt/qt_speech.h"

#include <QSettings>
#include <QTextToSpeech>

namespace hibi {
namespace {

// About two pages: what fast-forward runs past beyond that is not read.
constexpr qsizetype kMostWaiting = 16;

}  // namespace

ReadAloud::ReadAloud(QObject* parent, QString preferencesFile)
    : QObject(parent), preferencesFile_(std::move(preferencesFile)) {}

ReadAloud::~ReadAloud() = default;

bool ReadAloud::On() const {
  if (preferencesFile_.isEmpty()) return on_;
  return QSettings(preferencesFile_, QSettings::IniFormat).value(kReadAloudKey, false).toBool();
}

void ReadAloud::Toggle() {
  on_ = !On();
  if (!preferencesFile_.isEmpty()) {
    QSettings(preferencesFile_, QSettings::IniFormat).setValue(kReadAloudKey, on_);
  }
  if (!on_) {
    waiting_.clear();
    if (speech_) speech_->stop();
  }
}

void ReadAloud::Say(const QString& line) {
  if (line.isEmpty() || !On()) return;
  if (voice_) {
    voice_(line);
    return;
  }
  if (!speech_) {
    speech_ = std::make_unique<QTextToSpeech>();
    connect(speech_.get(), &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
      if (state == QTextToSpeech::Ready) SpeakNext();
      if (state == QTextToSpeech::Error) waiting_.clear();
    });
  }
  waiting_.append(line);
  if (waiting_.size() > kMostWaiting) waiting_.removeFirst();
  if (speech_->state() == QTextToSpeech::Ready) SpeakNext();
}

void ReadAloud::SpeakNext() {
  if (waiting_.isEmpty() || !speech_) return;
  speech_->say(waiting_.takeFirst());
}

}  // namespace hibi
