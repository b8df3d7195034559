#pragma once
// `k52util profiles import-legacy FILE.mdb [--only NAME]... [--force] [--settings]`.

#include <QString>
#include <QStringList>

namespace k52 {

class CliContext;

int run_import_legacy(CliContext &ctx, const QString &file, const QStringList &only, bool force, bool settings);

} // namespace k52
