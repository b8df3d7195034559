#pragma once

#include "window/ui/base_screen.h"

class QLabel;

namespace k52 {

// About: the program's name, version and date, and the database it uses.
class AboutWindow : public BaseScreen {
    Q_OBJECT
public:
    explicit AboutWindow(AppContext &ctx, QWidget *parent = nullptr);

    // "Default Database: " and the database this run uses.
    QString database_line() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *database_ = nullptr;
};

// Revisions: what each firmware version added.
class RevisionsWindow : public BaseScreen {
    Q_OBJECT
public:
    explicit RevisionsWindow(AppContext &ctx, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
};

} // namespace k52
