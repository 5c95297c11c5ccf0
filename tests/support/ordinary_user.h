// Permission cases as a player meets them. Root may write any file, so when the
// tests run as root (as in CI) the work runs in a forked child that first becomes
// nobody; as an ordinary user it runs in the child unchanged. Never skipped.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

namespace hibi::testing {

inline constexpr unsigned kNobody = 65534;

// The text `work` returns, carried back from the child; nullopt when the child
// could not drop its privileges or died.
std::optional<std::string> AsOrdinaryUser(const std::function<std::string()>& work);

// Every folder under `folder` (itself included) becomes 0777 and every file 0666,
// so nobody can reach and write them until a test takes a permission away.
void OpenToEveryone(const QString& folder);

}  // namespace hibi::testing
