// Placeholder so the tree links; replaced by the real implementation.
#include "storage/memory_list.h"
namespace hibi {
void ReadMemoryList(const QString&, QStringList&) {}
bool WriteMemoryList(const QString&, const QStringList&) { return false; }
QString MemoryListErrorMessage(const QString&) { return {}; }
}  // namespace hibi
