#include "qt/qt_settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QSettings>
#include <QSlider>
#include <algorithm>

#include "qt/qt_speech.h"

namespace hibi {
namespace {

const QString kTextSpeed = QStringLiteral("textSpeed");
const QString kAutoPause = QStringLiteral("autoPauseMs");
const QString kSkipEverything = QStringLiteral("skipEverything");
const QString kVolume = QStringLiteral("volume");
const QString kFullScreen = QStringLiteral("fullScreen");
constexpr int kLongestPauseMs = 10000;

int Bounded(const QSettings& settings, const QString& key, int fallback, int lo, int hi) {
  bool ok = false;
  const int value = settings.value(key, fallback).toInt(&ok);
  return ok ? std::clamp(value, lo, hi) : fallback;
}

}  // namespace

ReaderChoices ReadReaderChoices(const QString& preferencesFile) {
  ReaderChoices choices;
  if (preferencesFile.isEmpty()) return choices;
  const QSettings settings(preferencesFile, QSettings::IniFormat);
  choices.options.speed =
      static_cast<TextSpeed>(Bounded(settings, kTextSpeed, static_cast<int>(TextSpeed::Game), 0,
                                     static_cast<int>(TextSpeed::WholePage)));
  choices.options.autoPauseMs =
      Bounded(settings, kAutoPause, choices.options.autoPauseMs, 0, kLongestPauseMs);
  choices.options.skipEverything = settings.value(kSkipEverything, false).toBool();
  choices.volume = Bounded(settings, kVolume, kVolumeSteps, 0, kVolumeSteps);
  choices.readAloud = settings.value(kReadAloudKey, false).toBool();
  choices.fullScreen = settings.value(kFullScreen, false).toBool();
  return choices;
}

void RememberReaderChoices(const QString& preferencesFile, const ReaderChoices& choices) {
  if (preferencesFile.isEmpty()) return;
  QSettings settings(preferencesFile, QSettings::IniFormat);
  settings.setValue(kTextSpeed, static_cast<int>(choices.options.speed));
  settings.setValue(kAutoPause, choices.options.autoPauseMs);
  settings.setValue(kSkipEverything, choices.options.skipEverything);
  settings.setValue(kVolume, choices.volume);
  settings.setValue(kReadAloudKey, choices.readAloud);
}

SettingsDialog::SettingsDialog(QWidget& parent, const ReaderChoices& choices,
                               std::function<void(const ReaderChoices&)> changed)
    : QDialog(&parent), choices_(choices), changed_(std::move(changed)) {
  setObjectName(QStringLiteral("Settings"));
  setWindowTitle(QStringLiteral("Settings"));
  setModal(true);
  auto* form = new QFormLayout(this);

  auto* speed = new QComboBox(this);
  speed->setObjectName(QStringLiteral("TextSpeed"));
  speed->addItems({QStringLiteral("slower"), QStringLiteral("the game's own"),
                   QStringLiteral("faster"), QStringLiteral("whole page at once")});
  form->addRow(QStringLiteral("Text speed"), speed);

  auto* pause = new QDoubleSpinBox(this);
  pause->setObjectName(QStringLiteral("AutoPause"));
  pause->setRange(0, kLongestPauseMs / 1000.0);
  pause->setSingleStep(0.5);
  pause->setDecimals(1);
  pause->setSuffix(QStringLiteral(" s"));
  form->addRow(QStringLiteral("Auto-advance pause"), pause);

  auto* skip = new QComboBox(this);
  skip->setObjectName(QStringLiteral("Skip"));
  skip->addItems({QStringLiteral("read lines only"), QStringLiteral("skip everything")});
  form->addRow(QStringLiteral("Ctrl skips"), skip);

  auto* volume = new QSlider(Qt::Horizontal, this);
  volume->setObjectName(QStringLiteral("Volume"));
  volume->setRange(0, kVolumeSteps);
  volume->setPageStep(1);
  form->addRow(QStringLiteral("Volume"), volume);

  auto* fullScreen = new QCheckBox(QStringLiteral("full screen"), this);
  fullScreen->setObjectName(QStringLiteral("FullScreen"));
  form->addRow(fullScreen);
  auto* readAloud = new QCheckBox(QStringLiteral("read lines aloud"), this);
  readAloud->setObjectName(QStringLiteral("ReadAloud"));
  form->addRow(readAloud);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);

  connect(speed, &QComboBox::currentIndexChanged, this, [this](int index) {
    choices_.options.speed = static_cast<TextSpeed>(index);
    Changed();
  });
  connect(pause, &QDoubleSpinBox::valueChanged, this, [this](double seconds) {
    choices_.options.autoPauseMs = static_cast<int>(seconds * 1000 + 0.5);
    Changed();
  });
  connect(skip, &QComboBox::currentIndexChanged, this, [this](int index) {
    choices_.options.skipEverything = index == 1;
    Changed();
  });
  connect(volume, &QSlider::valueChanged, this, [this](int value) {
    choices_.volume = value;
    Changed();
  });
  connect(fullScreen, &QCheckBox::toggled, this, [this](bool on) {
    choices_.fullScreen = on;
    Changed();
  });
  connect(readAloud, &QCheckBox::toggled, this, [this](bool on) {
    choices_.readAloud = on;
    Changed();
  });
  Fill(choices);
}

void SettingsDialog::Show(const ReaderChoices& choices) {
  Fill(choices);
  open();
}

void SettingsDialog::Fill(const ReaderChoices& choices) {
  filling_ = true;
  choices_ = choices;
  findChild<QComboBox*>(QStringLiteral("TextSpeed"))
      ->setCurrentIndex(static_cast<int>(choices.options.speed));
  findChild<QDoubleSpinBox*>(QStringLiteral("AutoPause"))
      ->setValue(choices.options.autoPauseMs / 1000.0);
  findChild<QComboBox*>(QStringLiteral("Skip"))
      ->setCurrentIndex(choices.options.skipEverything ? 1 : 0);
  findChild<QSlider*>(QStringLiteral("Volume"))->setValue(choices.volume);
  findChild<QCheckBox*>(QStringLiteral("FullScreen"))->setChecked(choices.fullScreen);
  findChild<QCheckBox*>(QStringLiteral("ReadAloud"))->setChecked(choices.readAloud);
  filling_ = false;
}

void SettingsDialog::Changed() {
  if (!filling_ && changed_) changed_(choices_);
}

}  // namespace hibi
