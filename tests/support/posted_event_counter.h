#pragma once

#include <QEvent>
#include <QObject>

namespace wirevane::test {

// Counts the QEvent::User events posted to it: a window thread that is free answers one at its
// next turn of the event loop.
class PostedEventCounter : public QObject {
public:
    int answered = 0;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        ++answered;
        return true;
    }
};

} // namespace wirevane::test
