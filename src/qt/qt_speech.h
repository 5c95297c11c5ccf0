// Reading each line aloud through the desktop's speech service, for players who have
// no screen reader of their own. Off unless the player turns it on: V outside the
// title stage, or the settings window, which shares the choice "readAloud" in the
// player's preferences file. The speech service is reached only once a line is to be
// read, so a game that never reads aloud never starts it.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QTextToSpeech;

namespace hibi {

inline const QString kReadAloudKey = QStringLiteral("readAloud");

class ReadAloud : public QObject {
 public:
  ReadAloud(QObject* parent, QString preferencesFile);
  ~ReadAloud() override;

  // As the preferences file says now, so a change made in the settings window holds
  // from the next line on; without a file, as V last left it.
  bool On() const;
  void Toggle();
  // Reads the line after those still waiting; nothing while off.
  void Say(const QString& line);
  // A voice in place of the desktop's speech service.
  using Voice = std::function<void(const QString&)>;
  void SetVoice(Voice voice) { voice_ = std::move(voice); }

 private:
  void SpeakNext();

  QString preferencesFile_;
  bool on_ = false;
  Voice voice_;
  std::unique_ptr<QTextToSpeech> speech_;
  // Lines waiting for the voice; fast-forward would pile them up without a bound.
  QStringList waiting_;
};

}  // namespace hibi
