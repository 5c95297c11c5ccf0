// hibi-check <game folder>: tells a game author what the game would stumble over.
// Exit status: 0 when no error was found (warnings alone are fine), 1 when one was,
// 2 when the command line is wrong.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "game_check.h"
#include "report.h"

namespace {

constexpr char kUsage[] = "usage: hibi-check <game folder>\n";

// The picture decoders speak up on broken files; the checker reports those itself.
void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments().mid(1);
  if (args.size() == 1 && (args[0] == u"-h" || args[0] == u"--help")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (args.size() != 1) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const QFileInfo folder(args[0]);
  if (!folder.isDir()) {
    std::fprintf(stderr, "hibi-check: %s is not a folder\n", qPrintable(args[0]));
    std::fputs(kUsage, stderr);
    return 2;
  }
  qInstallMessageHandler(Quiet);
  hibi::check::Report report(stdout);
  hibi::check::CheckGame(QDir(folder.absoluteFilePath()).path() + "/", report);
  return report.errors() > 0 ? 1 : 0;
}
