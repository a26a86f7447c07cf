#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <atomic>
#include <mutex>
#include <thread>

// The far end of a pseudo-terminal, standing in for the receiver in tests and benchmarks.
// The program side opens devicePath() (a symlink to the pty slave) like any serial device.
// An optional responder thread answers every burst of input with a fixed reply.
class PtyPeer {
public:
    PtyPeer();
    ~PtyPeer();
    PtyPeer(const PtyPeer &) = delete;
    PtyPeer &operator=(const PtyPeer &) = delete;

    bool ok() const { return master_ >= 0; }
    QString devicePath() const { return link_; }
    QString slavePath() const { return slave_; }

    void send(const QByteArray &bytes);
    // Everything the program sent, collected until quiet for quietMs or until timeoutMs.
    QByteArray receive(int timeoutMs, int quietMs = 50);
    // Hangs up: closes the master, as when an adapter is pulled.
    void hangUp();

    // Answers each complete frame of frameSize bytes with reply.
    void startResponder(int frameSize, const QByteArray &reply);
    void stopResponder();
    int framesAnswered() const { return answered_; }

private:
    void respondLoop(int frameSize, QByteArray reply);

    QTemporaryDir dir_;
    int master_ = -1;
    int slaveHold_ = -1;
    QString slave_;
    QString link_;
    std::thread responder_;
    std::atomic<bool> stop_{false};
    std::atomic<int> answered_{0};
};
