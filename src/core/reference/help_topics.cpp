#include "help_topics.h"

#include <Qt>

namespace k52 {

const std::vector<HelpTopic> &help_topics() {
    static const std::vector<HelpTopic> topics = {
        {QStringLiteral("general"), QStringLiteral("Introduction")},
        {QStringLiteral("comm"), QStringLiteral("Communications")},
        {QStringLiteral("db"), QStringLiteral("Database System")},
        {QStringLiteral("termmode"), QStringLiteral("Terminal Mode")},
        {QStringLiteral("netman"), QStringLiteral("Network Manager")},
        {QStringLiteral("setuph"), QStringLiteral("Reader Setup")},
        {QStringLiteral("barmag"), QStringLiteral("Bar/Mag Setup")},
        {QStringLiteral("utilitiesh"), QStringLiteral("Utilities")},
    };
    return topics;
}

QString help_topic_resource(const QString &key) {
    return QStringLiteral(":/reference/help/%1.html").arg(key);
}

ScrollStep scroll_step(bool scrolldown, bool pagemode) {
    if (pagemode)
        return scrolldown ? ScrollStep::PageDown : ScrollStep::PageUp;
    return scrolldown ? ScrollStep::LineDown : ScrollStep::LineUp;
}

std::optional<ScrollStep> scroll_step_for_key(int key) {
    switch (key) {
    case Qt::Key_Down:
        return scroll_step(true, false);
    case Qt::Key_Up:
        return scroll_step(false, false);
    case Qt::Key_PageDown:
        return scroll_step(true, true);
    case Qt::Key_PageUp:
        return scroll_step(false, true);
    default:
        return std::nullopt;
    }
}

} // namespace k52
