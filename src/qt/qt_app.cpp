#include "qt/qt_app.h"

#include <QCoreApplication>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>

#include "qt/qt_session_end.h"
#include "storage/read_lines.h"
#include "storage/settings.h"

namespace hibi {
namespace {

// Gives the window its icon once the first frame is on screen: reading the
// 256-pixel picture and handing it to the window manager took 2 ms that the title
// need not wait for.
class IconAfterFirstFrame : public QObject {
 public:
  explicit IconAfterFirstFrame(QWidget& window) : QObject(&window), window_(window) {
    window.windowHandle()->installEventFilter(this);
  }

  bool eventFilter(QObject*, QEvent* event) override {
    // Qt draws the frame while it handles the expose; what is queued now runs after.
    if (event->type() == QEvent::Expose && !queued_) {
      queued_ = true;
      QTimer::singleShot(0, this, [this] {
        window_.setWindowIcon(QIcon(QStringLiteral(":/hibi.png")));
        deleteLater();
      });
    }
    return false;
  }

 private:
  QWidget& window_;
  bool queued_ = false;
};

}  // namespace

QtGame::QtGame(const QString& programFolder, MidiDevice& midi, Random& random,
               const QString& preferencesFile)
    : midi_(midi),
      pictures_(programFolder, window_.picStt(), window_.pic(), window_.picKao()),
      dialogs_(
          window_, kGameTitle, [this] { window_.Render(); },
          [this] { return window_.DialogFont(); }),
      shell_(window_, programFolder),
      music_(midi),
      fom_({pictures_, dialogs_, random, shell_, music_}),
      history_(new HistoryView(window_, fom_)),
      keys_(new WindowKeys(window_, midi, preferencesFile)),
      reader_(new ReaderControls(window_, fom_, *keys_, keys_->preferencesFile())),
      readAloud_(new ReadAloud(&window_, keys_->preferencesFile())),
      screenReader_(new ScreenReader(window_, fom_, pictures_, kGameTitle, *readAloud_)),
      keyboardPlay_(new KeyboardPlay(window_, fom_, *readAloud_)) {
  window_.setWindowTitle(kGameTitle);
  const QString data = PlayerDataFolder(programFolder);
  fom_.readLines.Load(data.isEmpty() ? QString() : data + kReadLinesFileName);
  window_.AddAfterRender([this] { screenReader_->Update(); });
  window_.Attach(fom_);
  // The notice may come from the audio thread; the watchdog runs on this one. A
  // notice still queued when the window goes is dropped with it.
  midi_.SetNotice([this] {
    QMetaObject::invokeMethod(
        &window_, [this] { window_.MusicNotice(midi_.HasTune()); }, Qt::QueuedConnection);
  });
}

QtGame::~QtGame() {
  midi_.SetNotice({});
}

void QtGame::Start() {
  fom_.Form_Load();
  window_.Render();
  keys_->ShowWindow();
  new IconAfterFirstFrame(window_);
}

int RunGame(const QString& programFolder, MidiDevice& midi, Random& random, std::ostream& errors) {
  QtGame game(programFolder, midi, random);
  try {
    game.Start();
  } catch (const SettingsError& error) {
    errors << error.report().toStdString() << std::endl;
    QMessageBox box(QMessageBox::NoIcon, kGameTitle, error.report(), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return 1;
  }
  game.window().SetOnClosed([] { QCoreApplication::exit(0); });
  new CloseOnSessionEnd(game.window());
  return QCoreApplication::exec();
}

}  // namespace hibi
