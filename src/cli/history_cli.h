#pragma once
// The drawing half of `k52util history report`: the PDF writer needs Qt Gui,
// which the command line does not link. The window library, which holds
// the writer, sets it before it runs a command that draws.

#include "core/profile/history_store.h"

#include <QString>

namespace k52 {

using HistoryReportWriter = bool (*)(const HistoryEntry &e, const QString &path, QString *error);
extern HistoryReportWriter history_report_writer;

} // namespace k52
