#pragma once

#include "window/ui/base_screen.h"

#include <QString>

#include <map>

class QPushButton;
class QTextBrowser;

namespace k52 {

// Help: a button per topic on the left; the chosen topic's rich text on the
// right. The arrow and page keys scroll the topic shown, wherever the focus is
// in the window.
class HelpWindow : public BaseScreen {
    Q_OBJECT
public:
    explicit HelpWindow(AppContext &ctx, QWidget *parent = nullptr);

    // Show a topic: its view in the display area, visible and focused; every
    // other view hidden.
    void show_topic(const QString &key);
    // Hide every view whose key is not the current topic's.
    void novisible();
    // Scroll a view one line or one page up or down.
    void vbscrolltextbox(QTextBrowser *tbox, bool scrolldown, bool pagemode);

    QString current_topic() const { return current_; }
    QTextBrowser *topic_view(const QString &key) const;
    QPushButton *topic_button(const QString &key) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool scroll_for_key(int key);

    std::map<QString, QTextBrowser *> views_;
    std::map<QString, QPushButton *> buttons_;
    QString current_;
};

} // namespace k52
