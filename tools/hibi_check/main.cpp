// hibi-check <game folder>: tells a game author what the game would stumble over.
// hibi-check --simulate N <game folder>: plays N seeded games for each of a few
// simple players and tells which endings they reached.
// Exit status: 0 when no error was found (warnings alone are fine) or, simulating,
// no message box came up; 1 otherwise; 2 when the command line is wrong.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "game_check.h"
#include "report.h"
#include "simulation.h"

namespace {

constexpr char kUsage[] =
    "usage: hibi-check <game folder>\n"
    "       hibi-check --simulate N <game folder>\n";

constexpr char kHelp[] =
    "\n"
    "Checks a game folder the way the game will use it and prints one line per\n"
    "problem. Exit status 0 when no error was found (warnings alone are fine),\n"
    "1 when one was, 2 for a wrong command line.\n"
    "\n"
    "--simulate N plays N seeded games (seeds 1 to N) with no window for each of\n"
    "a few simple players (one favouring each place, one each character, one\n"
    "wandering the places, one pressing any button) and prints which endings\n"
    "each reached and how often, and every message box that came up: a scene\n"
    "the game could not read. Exit status 1 when a box came up or the game\n"
    "cannot start, 0 otherwise.\n"
    "\n"
    "  --simulate N   play N games (1 to 100000) for each player instead of checking\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n";

constexpr int kMaxGames = 100000;

// The picture decoders speak up on broken files; the checker reports those itself.
void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QStringList args = QCoreApplication::arguments().mid(1);
  if (args.size() == 1 && (args[0] == u"-h" || args[0] == u"--help")) {
    std::fputs(kUsage, stdout);
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (args.size() == 1 && (args[0] == u"-v" || args[0] == u"--version")) {
    std::fputs("hibi-check " HIBI_VERSION "\n", stdout);
    return 0;
  }
  int games = 0;
  if (args.size() == 3 && args[0] == u"--simulate") {
    bool ok = false;
    games = args[1].toInt(&ok);
    if (!ok || games < 1 || games > kMaxGames) {
      std::fprintf(stderr, "hibi-check: --simulate takes a number of games from 1 to %d\n",
                   kMaxGames);
      return Usage();
    }
    args = args.mid(2);
  }
  if (args.size() != 1) return Usage();
  const QFileInfo folder(args[0]);
  if (!folder.isDir()) {
    std::fprintf(stderr, "hibi-check: %s is not a folder\n", qPrintable(args[0]));
    return Usage();
  }
  qInstallMessageHandler(Quiet);
  const QString path = QDir(folder.absoluteFilePath()).path() + "/";
  if (games > 0) return hibi::check::Simulate(path, games, stdout) ? 0 : 1;
  hibi::check::Report report(stdout);
  hibi::check::CheckGame(path, report);
  return report.errors() > 0 ? 1 : 0;
}
