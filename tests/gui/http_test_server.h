// A tiny HTTP server on 127.0.0.1 at a free port, inside the test process:
// it records every request line and answers with the page it is given.
#pragma once

#include <QTcpServer>
#include <QTcpSocket>

class HttpTestServer : public QObject {
public:
    HttpTestServer() {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    QByteArray request = socket->readAll();
                    QByteArray line = request.left(request.indexOf("\r\n"));
                    requests.append(line);
                    QByteArray body = page;
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nConnection: close\r\n"
                                  "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    QByteArray host() const { return "127.0.0.1:" + QByteArray::number(server_.serverPort()); }
    bool received(const QByteArray& requestLine) const { return requests.contains(requestLine); }
    bool receivedStartingWith(const QByteArray& prefix) const {
        for (const QByteArray& r : requests) {
            if (r.startsWith(prefix)) return true;
        }
        return false;
    }

    QList<QByteArray> requests;
    QByteArray page = "<html><body>ok</body></html>";

private:
    QTcpServer server_;
};
