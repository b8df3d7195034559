#pragma once

#include "core/link/device_job.h"
#include "window/ui/base_screen.h"

#include <array>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace k52 {

// "K52 Utilities": version query, reset and restart of the converter, the
// beeper and pulse-timing settings, and cloning. The link work of an action
// runs on a worker thread; the busy guard makes every action button and
// every pulse-duration choice ignore clicks until the action has ended.
class UtilitiesScreen : public BaseScreen {
    Q_OBJECT
public:
    explicit UtilitiesScreen(AppContext &ctx, QWidget *parent = nullptr);

    void set_parms() override;
    // Activation: the busy guard and the status line are cleared (unless an
    // action is still winding down; its ending clears them).
    void after_show() override;

    // "Click for Version": the identification reply goes into the version
    // box when it ends with CR within 1000 ms; otherwise the box stays empty
    // and the status line says the converter did not answer.
    void getversion();
    // Reset and restart await no reply; the status line says when the port
    // could not be opened or written.
    void makereset();
    void makerestart();
    // "Stop": ends the action under way; a clone write asks first.
    void stop_action();
    DeviceJob &job() { return job_; }
    // "Read from K52" and "Clone to new K52": status line, busy guard, the
    // version gate, the transfer and one message box at every ending.
    void clone_upload();
    void clone_download();
    // "Save Image As...": a copy of the image the last read saved, where the
    // user chooses (`ask_path` replaces the file dialog in tests).
    bool save_image_as();
    std::function<QString()> ask_path;

    // Select pulse-duration choice `i` (3, 4, 5 mag; 6, 7, 8 Wiegand) and
    // store its code; a number of the other row is ignored.
    void domagpulse(int i);
    void dowiepulse(int i);

    bool busy() const { return busy_; }
    // The clone file the cloning buttons use; clone_file_path() unless set.
    void set_clone_file(const QString &path) { clone_file_ = path; }

    QCheckBox *pulse_box(int i) const;

signals:
    // An action has ended: its message has been given and the guard cleared.
    void action_done();

private:
    struct NumberBox {
        QLineEdit *edit = nullptr;
        Integer ConfigRecord::*field = nullptr;
    };

    void select_pulse(int i);
    void pulse_clicked(int i, bool ticked);
    void beep_clicked(bool on, bool ticked);
    void send_command(bool restart);
    void run_clone(bool upload);
    // The action's ending: `told` (when not empty) told, then `status` on
    // the status line, the bar hidden and the guard cleared.
    void finish_action(bool ok, const QString &status, const QString &told = {});

    std::array<QCheckBox *, 6> pulse_{}; // choices 3..8
    std::array<NumberBox, 5> numbers_{};
    QCheckBox *beep_on_ = nullptr;
    QCheckBox *beep_off_ = nullptr;
    QLineEdit *version_box_ = nullptr;
    class JobPanel *panel_ = nullptr;
    QPushButton *saved_image_as_ = nullptr;
    class BackupOptionBox *backup_ = nullptr;
    bool busy_ = false;
    QString clone_file_;
    DeviceJob job_;
};

} // namespace k52
