#pragma once

#include <QString>

#include <functional>
#include <map>

namespace k52 {

// Everything that opens a link to the converter registers how to close it;
// close_all() closes them all (before any screen takes the line). A job that
// a stray click must not break registers what is at stake, the question to
// ask before closing it.
class LinkClosers {
public:
    int add(std::function<void()> closer, QString at_stake = {}) {
        closers_[++next_] = {std::move(closer), std::move(at_stake)};
        return next_;
    }
    void remove(int id) {
        closers_.erase(id);
        auto watchers = watchers_; // a watcher may unwatch itself
        for (auto &[w, f] : watchers)
            f();
    }
    // `f` runs after every remove() (a job has ended), until unwatch().
    int watch(std::function<void()> f) {
        watchers_[++next_] = std::move(f);
        return next_;
    }
    void unwatch(int id) { watchers_.erase(id); }
    void close_all() {
        auto copy = closers_; // a closer may remove itself
        for (auto &[id, c] : copy)
            if (c.close)
                c.close();
    }
    // What closing now would break; empty when nothing needs asking.
    QString at_stake() const {
        for (const auto &[id, c] : closers_)
            if (!c.at_stake.isEmpty())
                return c.at_stake;
        return {};
    }

private:
    struct Closer {
        std::function<void()> close;
        QString at_stake;
    };
    std::map<int, Closer> closers_;
    std::map<int, std::function<void()>> watchers_;
    int next_ = 0;
};

} // namespace k52
