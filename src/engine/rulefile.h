// Reading a rule file of the data folder (the fasting rules, the readings): a missing file is no error, a
// file that cannot be read is named once.
#pragma once

#include <QByteArray>
#include <QLoggingCategory>
#include <QString>

#include <optional>

namespace vorelian {

// The bytes of a rule file: nullopt for a missing file, silently, and for one that cannot be read, with one
// warning in `category` naming the file and what is then `lost`.
std::optional<QByteArray> ReadRuleFile(const QString& path, const QLoggingCategory& (*category)(),
                                       const QString& lost);

} // namespace vorelian
