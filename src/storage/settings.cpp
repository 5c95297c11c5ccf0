// Placeholder so the tree links; replaced by the real implementation.
#include "storage/settings.h"
namespace hibi {
Folders MakeFolders(const QString&) { return {}; }
SettingsError::SettingsError(const QString& path, const QString& problem) : std::runtime_error("settings"), path_(path), problem_(problem) {}
QString SettingsError::report() const { return {}; }
Settings ReadSettings(const QString&) { return {}; }
}  // namespace hibi
