#pragma once
// The Flash Download screen `flashdl`: picks a firmware file and sends it
// to the converter's boot loader, with the status label and a progress bar.

#include "core/link/device_job.h"
#include "core/maintenance/flash_download.h"
#include "window/ui/base_screen.h"

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace k52 {

class FlashDlScreen : public BaseScreen {
    Q_OBJECT
public:
    explicit FlashDlScreen(AppContext &ctx, QWidget *parent = nullptr);

    // "Select File to Download": asks for the file; the chosen path (empty
    // when cancelled) becomes the selected path.
    void getdownloadfile();
    // "Start Flash Download": starts the download of the selected file
    // unless none is selected or one is under way (the busy guard).
    bool start_download();
    bool busy() const { return job_->running(); }
    // "Stop": asks what is at stake, then ends the download.
    void stop_download();
    DeviceJob &job() { return *job_; }
    QString selected_file() const { return path_; }

    // Replaces the open-file dialog (tests); returns the chosen path.
    std::function<QString()> choose_file;
    // Called after every download, once its message has been shown.
    std::function<void(const FlashResult &)> on_finished;

    QLabel *file_label() const { return file_label_; }
    QLabel *status_label() const;
    QLabel *detail_label() const;
    QProgressBar *bar() const;
    QPushButton *select_button() const { return select_; }
    QPushButton *start_button() const { return start_; }
    QPushButton *stop_button() const;

private:
    QString ask_for_file();

    QString path_;
    QLabel *file_label_ = nullptr;
    class JobPanel *panel_ = nullptr;
    QPushButton *select_ = nullptr;
    QPushButton *start_ = nullptr;
    DeviceJob *job_ = nullptr;
};

} // namespace k52
