// `k52util flash FILE`: the firmware download from the command line.
#include "app/cli.h"
#include "app/link_options.h"
#include "flash_download.h"
#include "link/serial_link.h"

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#define K52_ISATTY _isatty
#define K52_FILENO _fileno
#else
#include <unistd.h>
#define K52_ISATTY ::isatty
#define K52_FILENO fileno
#endif

namespace k52 {

namespace {

// On a terminal one bar line redrawn in place; otherwise each new status
// text on a line of its own.
class PrintProgress : public FlashProgress {
public:
    PrintProgress(QTextStream &out, bool terminal) : out_(out), terminal_(terminal) {}
    ~PrintProgress() override { end_bar(); }

    void status(const QString &text) override {
        if (text == last_ || (terminal_ && text.startsWith(QLatin1String("Downloading"))))
            return;
        last_ = text;
        end_bar();
        if (!text.isEmpty())
            out_ << text << Qt::endl;
    }
    void bytes(qint64 done, qint64 total) override {
        if (!terminal_)
            return;
        const QString bar = flash_bar_text(done, total);
        if (bar == bar_)
            return;
        bar_ = bar;
        out_ << '\r' << bar << Qt::flush;
    }
    void end_bar() {
        if (!bar_.isEmpty())
            out_ << Qt::endl;
        bar_.clear();
    }

private:
    QTextStream &out_;
    bool terminal_;
    QString last_;
    QString bar_;
};

int run_flash(CliContext &ctx) {
    QCommandLineParser p;
    p.addOptions(link_options());
    p.addPositionalArgument(QStringLiteral("file"), QStringLiteral("Firmware file (.bin)"));
    if (int rc = parse_arguments(ctx, p,
                                 QStringLiteral("Replace the converter's firmware with FILE through its boot loader, "
                                                "printing the messages of the Flash Download screen. Exits 0 only "
                                                "when the download is complete."),
                                 1);
        rc >= 0)
        return rc;
    if (p.positionalArguments().isEmpty()) {
        ctx.err << "flash: give the firmware file; see --help" << Qt::endl;
        return 1;
    }
    if (!ctx.open_store())
        return 1;
    LinkSettings settings;
    if (!apply_link_options(ctx, p, settings))
        return 1;
    SerialLink link;
    FlashResult r;
    {
        PrintProgress progress(ctx.out, K52_ISATTY(K52_FILENO(stdout)) != 0);
        r = doflashdl(link, settings, p.positionalArguments().first(), QDate::currentDate(), progress);
    }
    ctx.out << r.message << Qt::endl;
    if (!r.detail.isEmpty())
        ctx.err << r.detail << Qt::endl;
    return r.ok() ? 0 : 1;
}

const CliRegistrar flash_reg("flash", "Download a firmware file into the converter", run_flash);

} // namespace

} // namespace k52
