#include "history_report.h"

#include "core/profile/profile_json.h"
#include "core/profile/profile_store.h"
#include "core/profile/safe_file.h"
#include "core/profile/setting_places.h"
#include "core/profile/wiegand_map.h"
#include "core/rules/wiegand_format.h"
#include "core/session/app_context.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextOption>

#include <functional>
#include <optional>

namespace k52 {

namespace {

// Paints page after page, top to bottom, in points (1/72 inch).
class PageWriter {
public:
    // `total`: the number of pages the footers name (0 while counting).
    PageWriter(QPdfWriter &writer, QPainter &painter, int total) : writer_(writer), p_(painter), total_(total) {
        const QRectF page = writer.pageLayout().paintRect(QPageLayout::Point);
        width_ = page.width();
        height_ = page.height() - kFooter;
        // Device units per point.
        scale_ = writer.resolution() / 72.0;
        p_.scale(scale_, scale_);
    }

    void need(double h) {
        if (y_ + h > height_)
            next_page();
    }
    void next_page() {
        footer();
        writer_.newPage();
        ++page_;
        y_ = 0;
    }
    // "page N of M" at the foot of the page; the pages drawn so far.
    int finish() {
        footer();
        return page_;
    }
    void footer() {
        if (total_ <= 0)
            return;
        p_.setFont(font(7));
        p_.setPen(Qt::black);
        p_.drawText(QRectF(0, height_ + 4, width_, kFooter - 4), Qt::AlignRight | Qt::AlignBottom,
                    QStringLiteral("page %1 of %2").arg(page_).arg(total_));
    }
    // A font of `size` points on the scaled painter.
    QFont font(double size, bool bold = false) const {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPointSizeF(size / scale_);
        f.setBold(bold);
        return f;
    }
    void text(const QString &t, double size, bool bold = false, double indent = 0) {
        p_.setFont(font(size, bold));
        p_.setPen(Qt::black);
        const QRectF box(indent, 0, width_ - indent, 10000);
        const QRectF r = p_.boundingRect(box, Qt::TextWordWrap, t);
        need(r.height());
        p_.drawText(QRectF(indent, y_, width_ - indent, r.height()), Qt::TextWordWrap, t);
        y_ += r.height();
    }
    // Caption on the left, value on the right half. Both wrap at word
    // boundaries, and anywhere when one word is wider than its column (a
    // 64-character profile name, a path), so nothing is cut off.
    void pair(const QString &caption, const QString &value) {
        p_.setFont(font(8.5));
        const double split = width_ * 0.68;
        const QRectF left(12, 0, split - 18, 10000), right(split, 0, width_ - split, 10000);
        QTextOption wrap;
        wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        const double h =
            std::max(p_.boundingRect(left, caption, wrap).height(), p_.boundingRect(right, value, wrap).height());
        need(h);
        p_.drawText(QRectF(12, y_, split - 18, h), caption, wrap);
        p_.drawText(QRectF(split, y_, width_ - split, h), value, wrap);
        y_ += h + 1;
    }
    void gap(double h) { y_ += h; }
    void rule() {
        need(4);
        p_.setPen(QPen(Qt::gray, 0.5));
        p_.drawLine(QPointF(0, y_ + 2), QPointF(width_, y_ + 2));
        y_ += 4;
    }
    // The bit picture: numbered cells in rows, as the format editor draws them.
    void picture(const FormatLayout &l) {
        const double cell = std::min(13.0, width_ / kCellsPerRow);
        const double number_h = 6, row_h = number_h + cell + 3;
        need(std::max(1, l.rows) * row_h);
        const QFont small = font(4);
        const QFont letter = font(7);
        for (const FormatCell &c : l.cells) {
            const double x = c.column * cell, y = y_ + c.row * row_h;
            p_.setFont(small);
            p_.setPen(Qt::black);
            p_.drawText(QRectF(x, y, cell, number_h), Qt::AlignCenter, QString::number(c.bit));
            const QRectF box(x, y + number_h, cell - 0.5, cell - 0.5);
            p_.fillRect(box, QColor::fromRgb(QRgb(cell_rgb(c.kind))));
            p_.setPen(QPen(Qt::black, 0.3));
            p_.drawRect(box);
            p_.setFont(letter);
            p_.setPen(c.kind == CellKind::Parity ? Qt::white : Qt::black);
            p_.drawText(box, Qt::AlignCenter, QString(c.letter));
        }
        y_ += std::max(1, l.rows) * row_h;
    }

private:
    static constexpr double kFooter = 16; // points kept free for the page number
    QPdfWriter &writer_;
    QPainter &p_;
    int total_ = 0, page_ = 1;
    double width_ = 0, height_ = 0, scale_ = 1, y_ = 0;
};

// The pages of one row's report, from where `page` stands.
void draw_entry(PageWriter &page, const HistoryEntry &e, const std::optional<ImportedProfile> &profile) {
    page.text(QStringLiteral("Commissioning report"), 18, true);
    page.text(program_title(), 8);
    page.gap(6);
    page.pair(QStringLiteral("Converter"), e.converter.isEmpty() ? QStringLiteral("did not answer") : e.converter);
    page.pair(QStringLiteral("Action"), e.action);
    page.pair(QStringLiteral("Started"), history_time_text(e.started));
    page.pair(QStringLiteral("Finished"),
              e.finished.isValid() ? history_time_text(e.finished) : QStringLiteral("not recorded (cut off)"));
    page.pair(QStringLiteral("Outcome"), e.detail.isEmpty() ? e.outcome : e.outcome + QStringLiteral(": ") + e.detail);
    page.pair(QStringLiteral("Device"),
              e.adapter.isEmpty() ? e.device : e.device + QStringLiteral(" (") + e.adapter + QLatin1Char(')'));
    if (!e.profile.isEmpty())
        page.pair(QStringLiteral("Profile"), history_profile_text(e));
    for (const QString &c : e.changed)
        page.pair(QStringLiteral("Changed"), c);
    if (!e.file_name.isEmpty())
        page.pair(QStringLiteral("Firmware file"),
                  QStringLiteral("%1, %2 bytes, SHA-256 %3").arg(e.file_name).arg(e.file_size).arg(e.file_sha256));
    page.pair(QStringLiteral("History row"), QString::number(e.id));

    if (profile) {
        const ConfigRecord rec = stored_record(profile->stored);
        for (const auto &[title, map] :
             {std::pair{kSerToWieScreen, &kSerialWiegandMap}, std::pair{kWieToWieScreen, &kInputWiegandMap}}) {
            page.gap(8);
            page.text(QStringLiteral("Wiegand output format: %1").arg(QLatin1StringView(title)), 11, true);
            const QString letters = format_letters(format_controls(rec, *map));
            const FormatLayout layout = format_layout(letters);
            page.text(QStringLiteral("%1 bits").arg(layout.total_bits), 8);
            page.gap(2);
            page.picture(layout);
        }
        const QVector<SettingPlace> &places = setting_places();
        for (const QString &screen : setting_screens()) {
            page.gap(8);
            page.rule();
            page.text(screen, 11, true);
            page.gap(2);
            for (const SettingPlace &p : places)
                if (QLatin1String(p.screen) == screen)
                    page.pair(p.caption, shown_value(p, profile->stored.value(p.column)));
        }
    }
    if (!e.lines.isEmpty()) {
        page.gap(8);
        page.rule();
        page.text(QStringLiteral("Progress"), 11, true);
        for (const QString &l : e.lines)
            page.text(l, 8, false, 12);
    }
}

// The snapshot of `e`, read; false, with the reason, when it cannot be.
bool read_snapshot(const HistoryEntry &e, std::optional<ImportedProfile> &profile, QString *error) {
    if (e.snapshot.isEmpty())
        return true;
    QString why;
    profile = profile_from_json(e.snapshot, &why);
    if (profile)
        return true;
    if (error)
        *error = QStringLiteral("History row %1 holds a snapshot that cannot be read: %2").arg(e.id).arg(why);
    return false;
}

// Draws a PDF titled `title` with `draw` and writes it to `path` in one step.
bool write_pdf(const QString &title, const QString &path, QString *error,
               const std::function<void(PageWriter &)> &draw) {
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    // Drawn twice: once to count the pages, once with "page N of M".
    QByteArray pdf;
    int pages = 0;
    for (int pass = 0; pass < 2; ++pass) {
        pdf.clear();
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(program_title());
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
        writer.setResolution(300);
        QPainter painter(&writer);
        PageWriter page(writer, painter, pages);
        draw(page);
        pages = page.finish();
        if (!painter.end())
            return fail(QStringLiteral("Cannot draw the report"));
    }
    return write_file_safely(path, pdf, error);
}

} // namespace

bool write_history_report(const HistoryEntry &e, const QString &path, QString *error) {
    std::optional<ImportedProfile> profile;
    if (!read_snapshot(e, profile, error))
        return false;
    return write_pdf(QStringLiteral("Commissioning report %1").arg(e.id), path, error,
                     [&](PageWriter &page) { draw_entry(page, e, profile); });
}

bool write_run_report(const QString &title, const QStringList &summary, const QVector<HistoryEntry> &rows,
                      const QString &path, QString *error) {
    std::vector<std::optional<ImportedProfile>> profiles(std::size_t(rows.size()));
    for (qsizetype i = 0; i < rows.size(); ++i)
        if (!read_snapshot(rows[i], profiles[std::size_t(i)], error))
            return false;
    return write_pdf(title, path, error, [&](PageWriter &page) {
        page.text(title, 18, true);
        page.text(program_title(), 8);
        page.gap(6);
        for (const QString &line : summary)
            page.text(line, 9);
        for (qsizetype i = 0; i < rows.size(); ++i) {
            page.next_page();
            draw_entry(page, rows[i], profiles[std::size_t(i)]);
        }
    });
}

} // namespace k52
