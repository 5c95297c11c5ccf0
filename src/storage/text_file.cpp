// Placeholder so the tree links; replaced by the real implementation.
#include "storage/text_file.h"
namespace hibi {
QString DecodeCp932(std::string_view) { return {}; }
std::string EncodeCp932(const QString&) { return {}; }
std::string NativePath(const QString& p) { return p.toStdString(); }
std::unique_ptr<TextReader> TextReader::Open(const QString&) { return nullptr; }
std::optional<QStringList> ReadAllLines(const QString&) { return std::nullopt; }
bool WriteLinesAtomically(const QString&, const QStringList&) { return false; }
}  // namespace hibi
