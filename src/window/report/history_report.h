#pragma once
// The commissioning report of a history row: a PDF with the converter, the
// time, the outcome, the settings that were sent grouped by screen with
// their captions, and the Wiegand output formats drawn as the format
// editor's bit picture. Drawn with Qt's own PDF writer; no widgets.

#include "core/profile/history_store.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace k52 {

// Writes the report of `e` to `path` (replaced in one step). False, with
// the reason, when the snapshot cannot be read or the file not written.
bool write_history_report(const HistoryEntry &e, const QString &path, QString *error);

// One PDF for a run of several rows: a first page titled `title` with the
// `summary` lines, then the report of each row, each from a new page.
bool write_run_report(const QString &title, const QStringList &summary, const QVector<HistoryEntry> &rows,
                      const QString &path, QString *error);

} // namespace k52
