#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

namespace wirevane {

// How a second copy of the program reaches the running one: over the local channel the
// single-copy lock names, which no other user can know or take first.
//
// The running copy's end: each request that arrives calls the given action (show and raise
// the main window). A socket left behind by a copy that crashed is replaced: whoever listens
// holds the single-copy lock, so no live copy can own it.
class SingleCopyServer : public QObject {
    Q_OBJECT
public:
    SingleCopyServer(const QString& name, std::function<void()> onRequest);

    bool isListening() const;

private:
    void OnConnection();

    QLocalServer* m_server;
    std::function<void()> m_onRequest;
};

// The second copy's end: asks the running copy to show its main window. False when no copy
// answers within the time-out (it ended meanwhile, or is hung).
bool AskRunningCopyToShow(const QString& name, int timeoutMs = 2000);

} // namespace wirevane
