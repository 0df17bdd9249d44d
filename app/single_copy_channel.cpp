#include "app/single_copy_channel.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace wirevane {

namespace {

const QByteArray kShowRequest = QByteArrayLiteral("show\n");

} // namespace

SingleCopyServer::SingleCopyServer(const QString& name, std::function<void()> onRequest)
    : m_server(new QLocalServer(this)), m_onRequest(std::move(onRequest))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleCopyServer::OnConnection);
    if (!m_server->listen(name)) {
        QLocalServer::removeServer(name);
        m_server->listen(name);
    }
}

bool SingleCopyServer::isListening() const
{
    return m_server->isListening();
}

void SingleCopyServer::OnConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto serve = [this, socket] {
            if (!socket->canReadLine())
                return;
            if (socket->readLine() == kShowRequest && m_onRequest)
                m_onRequest();
            socket->disconnectFromServer();
        };
        connect(socket, &QLocalSocket::readyRead, this, serve);
        serve();
    }
}

bool AskRunningCopyToShow(const QString& name, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(kShowRequest);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    socket.disconnectFromServer();
    return true;
}

} // namespace wirevane
