#include "qt/qt_keys.h"

#include <gtest/gtest.h>
#include <QFile>
#include <set>

namespace hibi {
namespace {

// Each key named by an item (".TP", then ".B Key, Key") of the page's KEYS section.
QString ManualKeys() {
  QFile page(QStringLiteral(HIBI_SOURCE_DIR "/resources/man/hibi.6"));
  const QStringList lines = page.open(QIODevice::ReadOnly)
                                ? QString::fromUtf8(page.readAll()).split(u'\n')
                                : QStringList();
  QStringList keys;
  bool inKeys = false;
  for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i].startsWith(".SH")) inKeys = lines[i] == ".SH KEYS";
    if (inKeys && lines[i] == ".TP" && lines[i + 1].startsWith(".B "))
      keys << lines[i + 1].mid(3).split(QStringLiteral(", "));
  }
  keys.sort();
  return keys.join(u'|');
}

// A key that does two things (Escape, Page Up) is listed once for each.
TEST(Keys, TheManualPageListsEveryKeyTheWindowAnswersAndNoOther) {
  std::set<std::pair<std::string, KeyAction>> bound;
  for (const KeyBinding& binding : KeyBindings()) bound.emplace(binding.name, binding.action);
  QStringList keys;
  for (const auto& entry : bound) keys << QString::fromStdString(entry.first);
  keys.sort();
  EXPECT_EQ(ManualKeys().toStdString(), keys.join(u'|').toStdString());
}

}  // namespace
}  // namespace hibi
