#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace k52 {

// A topic of the Help window: its view name (also the name of its text in the
// resources) and the caption of the button that shows it.
struct HelpTopic {
    QString key;
    QString caption;
};

// In button order, "general" first.
const std::vector<HelpTopic> &help_topics();

// Resource path of a topic's rich text (":/reference/help/<key>.html").
QString help_topic_resource(const QString &key);

// The four scroll moves of a topic view.
enum class ScrollStep { LineUp, LineDown, PageUp, PageDown };

// Line up when both are false, line down when only `scrolldown`, page up when
// only `pagemode`, page down when both.
ScrollStep scroll_step(bool scrolldown, bool pagemode);

// The move a key asks for: Down/Up arrow a line, Page Down/Up a page; none
// for any other key (a Qt::Key value).
std::optional<ScrollStep> scroll_step_for_key(int key);

} // namespace k52
