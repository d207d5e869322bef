// One running program per user: the first start listens on a per-user local
// socket, a later start hands its request over that socket and exits.
#pragma once

#include <QByteArray>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

namespace kz::ui {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Role {
        Running,     // this start is the running instance
        HandedOver,  // another instance took the request; this start should exit
        NoAnswer,    // another instance holds the lock but did not take the request
    };

    // `key` names the lock and the socket; the default is the program's id,
    // in the user's runtime folder or, without one, suffixed with the user id.
    explicit SingleInstance(QString key = defaultKey());
    ~SingleInstance() override;

    // Becomes the running instance, or hands `message` (one line) to the one
    // already running, waiting at most `timeoutMs` for it to answer.
    Role start(const QByteArray& message, int timeoutMs = 5000);

    static QString defaultKey();

signals:
    // A later start's message, without its line end.
    void received(const QByteArray& message);

private:
    void accept();

    QString key_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};

}  // namespace kz::ui
