#include "help_topics.h"

#include <QCoreApplication>

#include <Qt>

namespace k52 {

const std::vector<HelpTopic> &help_topics() {
    static const std::vector<HelpTopic> topics = {
        {QStringLiteral("general"), QCoreApplication::translate("k52::HelpWindow", "Introduction")},
        {QStringLiteral("comm"), QCoreApplication::translate("k52::HelpWindow", "Communications")},
        {QStringLiteral("db"), QCoreApplication::translate("k52::HelpWindow", "Database System")},
        {QStringLiteral("termmode"), QCoreApplication::translate("k52::HelpWindow", "Terminal Mode")},
        {QStringLiteral("netman"), QCoreApplication::translate("k52::HelpWindow", "Network Manager")},
        {QStringLiteral("setuph"), QCoreApplication::translate("k52::HelpWindow", "Reader Setup")},
        {QStringLiteral("barmag"), QCoreApplication::translate("k52::HelpWindow", "Bar/Mag Setup")},
        {QStringLiteral("utilitiesh"), QCoreApplication::translate("k52::HelpWindow", "Utilities")},
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
