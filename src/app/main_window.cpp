// Placeholder entry of the windowed program until the main window lands.
#include "app/window_entry.h"

#include "app/cli.h"

#include <QApplication>
#include <QMessageBox>

namespace k52 {

int run_window(const QString &program_dir, const QString &db_override) {
    Q_UNUSED(program_dir);
    Q_UNUSED(db_override);
    QMessageBox::information(nullptr, QStringLiteral("k52util"),
                             QStringLiteral("The main window is not built yet. Run 'k52util help'."));
    return 0;
}

} // namespace k52
