#include "app/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "app/version.h"
#include "framework/UiSeam.h"

namespace kz::ui {

namespace {
// A request is a few words; anything longer is not from us.
constexpr qint64 kMaxMessage = 1024;
}  // namespace

QString SingleInstance::defaultKey() {
    const QString id = qs(kAppId);
#ifdef Q_OS_UNIX
    // The runtime folder is the user's own; /tmp is shared, so the name carries the user.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir() && QFileInfo(runtime).isWritable())
        return QDir(runtime).filePath(id);
    return QDir(QDir::tempPath()).filePath(QStringLiteral("%1-%2").arg(id).arg(::getuid()));
#else
    QString user = qEnvironmentVariable("USERNAME");
    user.remove(QLatin1Char('\\')).remove(QLatin1Char('/'));
    return QStringLiteral("%1-%2").arg(id, user);
#endif
}

SingleInstance::SingleInstance(QString key) : key_(std::move(key)) {}

SingleInstance::~SingleInstance() {
    if (server_) server_->close();
}

SingleInstance::Role SingleInstance::start(const QByteArray& message, int timeoutMs) {
    const QString lockPath = QDir::isAbsolutePath(key_)
                                 ? key_ + QStringLiteral(".lock")
                                 : QDir(QDir::tempPath()).filePath(key_ + QStringLiteral(".lock"));
    lock_ = std::make_unique<QLockFile>(lockPath);
    // Held for the whole run: it must never count as stale while we live. The
    // lock of a crashed run names a dead process and is taken over.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) {
        // A socket left behind by a crashed run would block listening.
        QLocalServer::removeServer(key_);
        server_ = new QLocalServer(this);
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        connect(server_, &QLocalServer::newConnection, this, &SingleInstance::accept);
        if (!server_->listen(key_))
            qWarning("%s: cannot listen for later starts: %s", kProductName.data(), qPrintable(server_->errorString()));
        return Role::Running;
    }
    if (lock_->error() != QLockFile::LockFailedError) {
        // No lock can be made here (read-only folder): run without the guard.
        lock_.reset();
        return Role::Running;
    }
    lock_.reset();

    // The running instance may be starting and not listen yet: retry until the deadline.
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    while (true) {
        socket.connectToServer(key_);
        if (socket.waitForConnected(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())))) break;
        if (deadline.hasExpired()) return Role::NoAnswer;
        QThread::msleep(50);
    }
    socket.write(message + '\n');
    if (!socket.waitForBytesWritten(static_cast<int>(std::max<qint64>(1, deadline.remainingTime()))))
        return Role::NoAnswer;
    QByteArray answer;
    while (!answer.contains('\n')) {
        if (!socket.waitForReadyRead(static_cast<int>(std::max<qint64>(1, deadline.remainingTime()))))
            return Role::NoAnswer;
        answer += socket.readAll();
    }
    return answer.startsWith("ok") ? Role::HandedOver : Role::NoAnswer;
}

void SingleInstance::accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto* buffer = new QByteArray;
        connect(socket, &QObject::destroyed, this, [buffer] { delete buffer; });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
            if (socket->state() != QLocalSocket::ConnectedState) return;  // answered already
            *buffer += socket->read(kMaxMessage + 1 - buffer->size());
            const qsizetype end = buffer->indexOf('\n');
            if (end < 0 && buffer->size() <= kMaxMessage) return;
            const QByteArray line = end < 0 ? QByteArray() : buffer->left(end);
            socket->write(end < 0 ? "too long\n" : "ok\n");
            socket->flush();
            socket->disconnectFromServer();
            if (end >= 0) emit received(line);
        });
    }
}

}  // namespace kz::ui
