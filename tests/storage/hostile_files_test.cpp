// A game folder is a stranger's archive. Every name and file it may hold, against the
// one way the game opens and writes its files, as an ordinary user who could write the
// files outside: only the game's own refusal keeps them as they were.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "storage/game_file.h"
#include "storage/text_file.h"
#include "support/harness.h"
#include "support/ordinary_user.h"

namespace hibi {
namespace {

using hibi::testing::TempGame;

const QByteArray kSecret = "export PATH=/home/me/bin\n";

TEST(HostileFiles, NamesAndFilesLeadingOutOrNowhereAreRefusedAndNothingOutsideChanges) {
  QTemporaryDir outside;
  const QString out = outside.path() + "/";
  const QString up = "../../" + QFileInfo(outside.path()).fileName() + "/";
  struct Row {
    const char* why;
    QString name;    // asked for below the game folder
    QString target;  // a link made at `at`; empty: none
    QString at;      // empty: at `name`
    FileProblem read;
    FileProblem write;
  };
  using enum FileProblem;
  const Row rows[] = {
      {"climbing out with ..", "sys/../" + up.mid(3) + "secret", "", "", Refused, Refused},
      {"an absolute name", "/" + out + "secret", "", "", Refused, Refused},
      {"a NUL that would cut off a suffix", QString("sys/real.dat") + QChar(0) + ".txt", "", "",
       Refused, Refused},
      {"an escape character", "sys/real\x1B]0;x\x07.dat", "", "", Refused, Refused},
      {".. that stays inside", "img/../sys/real.dat", "", "", None, None},
      {"a link inside", "sys/in.dat", "real.dat", "", None, None},
      {"an absolute link back inside", "sys/in.dat", "@sys/real.dat", "", None, None},
      {"a link outside", "sys/out.dat", up + "secret", "", Refused, Refused},
      {"an absolute link outside", "sys/out.dat", out + "secret", "", Refused, Refused},
      {"a folder link outside", "pics/secret", up.mid(3), "pics", Refused, Refused},
      {"a dangling link inside", "sys/gone.dat", "nothing.dat", "", Missing, Refused},
      {"a dangling link outside", "sys/gone.dat", out + "autostart.desktop", "", Refused, Refused},
      {"a device", "bgm.mid", "/dev/zero", "", Refused, Refused},
      {"a FIFO", "sys/fifo.dat", "", "", NotAFile, NotAFile},
      {"a folder in the file's place", "sys/dir.dat", "", "", NotAFile, NotAFile},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    TempGame game;
    game.WriteRaw("sys/real.dat", "inside\r\n");
    const QByteArray link = QFile::encodeName(game.path(row.at.isEmpty() ? row.name : row.at));
    QDir().mkpath(game.path("sys/dir.dat"));
    ::mkfifo(game.path("sys/fifo.dat").toUtf8().constData(), 0666);
    QString target = row.target;
    if (target.startsWith('@')) target = game.path(target.mid(1));
    if (!target.isEmpty()) {
      ASSERT_EQ(::symlink(QFile::encodeName(target), link.constData()), 0);
    }
    QFile secret(out + "secret");
    ASSERT_TRUE(secret.open(QIODevice::WriteOnly) && secret.write(kSecret) == kSecret.size());
    secret.close();
    hibi::testing::OpenToEveryone(game.folder());
    hibi::testing::OpenToEveryone(outside.path());

    const auto outcome = hibi::testing::AsOrdinaryUser([&] {
      const FileProblem read = ReadGameFile(game.folder(), game.path(row.name), 1024).problem;
      const FileProblem write = WriteGameLines(game.folder(), game.path(row.name), {"new"});
      return std::to_string(int(read)) + " " + std::to_string(int(write));
    });
    EXPECT_EQ(outcome, std::to_string(int(row.read)) + " " + std::to_string(int(row.write)));
    EXPECT_EQ(
        QDir(outside.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList{"secret"});
    secret.open(QIODevice::ReadOnly);
    EXPECT_EQ(secret.readAll(), kSecret);
    secret.close();
    const QByteArray real = row.write == None ? "new\r\n" : "inside\r\n";
    EXPECT_EQ(game.ReadRaw("sys/real.dat"), real);
    EXPECT_EQ(QFileInfo(QFile::decodeName(link)).isSymLink(), !target.isEmpty());
  }
}

}  // namespace
}  // namespace hibi
