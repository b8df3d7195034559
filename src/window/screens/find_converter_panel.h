#pragma once

#include "core/link/converter_search.h"
#include "core/link/device_job.h"
#include "core/session/app_context.h"

#include <QGroupBox>
#include <QVector>

#include <functional>

class QListWidget;
class QProgressBar;
class QPushButton;

namespace k52 {

// "Find Converter" on the communications screen: searches the ports on a
// worker thread in a job panel (bar, Stop, status), lists what answered, and
// takes the chosen converter's port, speed and parity into the link
// settings with one click.
class FindConverterPanel : public QGroupBox {
    Q_OBJECT
public:
    // `ports` gives the ports to search when the search starts.
    using PortSource = std::function<QVector<PortEntry>()>;
    FindConverterPanel(AppContext &ctx, PortSource ports, QWidget *parent = nullptr);

    // Starts a search; false while one runs.
    bool start();
    void stop();
    bool running() const { return job_.running(); }
    const SearchResult &result() const { return result_; }
    // Takes the converter of result line `row` into the link settings.
    bool take(int row);

    QPushButton *find_button() const { return find_; }
    QPushButton *stop_button() const;
    QPushButton *use_button() const { return use_; }
    QProgressBar *progress_bar() const;
    QListWidget *results() const { return list_; }
    // What the search is doing or found, shown in the progress bar.
    QString status_text() const;

signals:
    // The link settings were changed by take().
    void taken();

private:
    void finished(const SearchResult &r);
    void set_status(const QString &text);

    AppContext &ctx_;
    PortSource ports_source_;
    DeviceJob job_;
    QVector<PortEntry> searched_;
    SearchResult result_;
    QPushButton *find_ = nullptr;
    QPushButton *use_ = nullptr;
    class JobPanel *panel_ = nullptr;
    QListWidget *list_ = nullptr;
};

} // namespace k52
