#include "qt/game_folder.h"

#include <gtest/gtest.h>

#include "support/harness.h"

namespace hibi {
namespace {

struct Upgrade {
  const char* name;
  QByteArray newFingerprint;  // empty: the new package has none
  bool copyHasFingerprint;
  QByteArray scriptAfter;
};

// An installed hibi in prefix/ copied its sample for the player, who saved and saw
// pictures; then a package with a changed sample is installed and hibi starts again.
TEST(GameFolder, ANewerSampleReachesThePlayersCopyAndKeepsTheSaveAndGallery) {
  for (const Upgrade& row : {Upgrade{"same fingerprint", "0.1 a", true, "old"},
                             Upgrade{"new fingerprint", "0.2 b", true, "new"},
                             Upgrade{"copy made before fingerprints", "0.1 a", false, "new"},
                             Upgrade{"package without a fingerprint", "", true, "old"}}) {
    SCOPED_TRACE(row.name);
    testing::TempGame root;
    qputenv("XDG_DATA_HOME", root.path("data").toLocal8Bit());
    const QString sample = "prefix/share/hibi/sample";
    root.WriteRaw(sample + "/sys/sys.dat", ".txt\r\n.png\r\n\r\n\r\n");
    root.WriteRaw(sample + "/txt/opn.txt", "old");
    root.WriteRaw(sample + ".version", "0.1 a\n");
    ASSERT_EQ(DefaultGameFolder(root.path("prefix/bin")), root.path("data/hibi/sample"));
    root.WriteRaw("data/hibi/sample/sys/all.dat", "save");
    root.WriteRaw("data/hibi/sample/sys/lstphoto.dat", "gallery");
    if (!row.copyHasFingerprint) QFile::remove(root.path("data/hibi/sample.version"));
    root.WriteRaw(sample + "/txt/opn.txt", "new");
    root.WriteRaw(sample + "/sys/all.dat", "the sample's own save");
    QFile::remove(root.path(sample + ".version"));
    if (!row.newFingerprint.isEmpty()) root.WriteRaw(sample + ".version", row.newFingerprint);

    EXPECT_EQ(DefaultGameFolder(root.path("prefix/bin")), root.path("data/hibi/sample"));
    EXPECT_EQ(root.ReadRaw("data/hibi/sample/txt/opn.txt"), row.scriptAfter);
    EXPECT_EQ(root.ReadRaw("data/hibi/sample/sys/all.dat"), "save");
    EXPECT_EQ(root.ReadRaw("data/hibi/sample/sys/lstphoto.dat"), "gallery");
    qunsetenv("XDG_DATA_HOME");
  }
}

}  // namespace
}  // namespace hibi
