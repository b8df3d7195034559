#pragma once
// `k52util profiles import-legacy FILE.mdb [--only NAME]... [--force] [--settings]`.

#include <QString>
#include <QStringList>

namespace k52 {

class CliContext;

// `partial`: a damaged table whose definition counts more rows than could
// be read is imported as far as it was read (else refused).
int run_import_legacy(CliContext &ctx, const QString &file, const QStringList &only, bool force, bool settings,
                      bool partial = false);

} // namespace k52
