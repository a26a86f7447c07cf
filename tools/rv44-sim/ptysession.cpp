#include "ptysession.h"

#include "simlog.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

using std::chrono::milliseconds;

constexpr milliseconds kHungUpPollInterval{20};
constexpr milliseconds kLongestPoll{100};
// Lets the client read the last reply before the line drops: a hang-up discards unread input.
constexpr milliseconds kHangUpGrace{100};
constexpr milliseconds kHangUpDrainLimit{5000};
// Frames read but not yet due at the baud rate; beyond this the input is left in the kernel,
// which holds the client back instead of letting a fast writer grow our memory.
constexpr size_t kMaxPendingFrames = 64;

std::string systemError(const std::string &what) {
    return what + ": " + std::strerror(errno);
}

} // namespace

PtySession::PtySession(const SimOptions &options, const volatile std::sig_atomic_t *stopRequested)
    : options_(options), stopRequested_(stopRequested), responder_(options, flash_, trace_),
      output_(options.baud) {}

PtySession::~PtySession() {
    removeLink();
    if (master_ >= 0)
        ::close(master_);
}

int PtySession::run() {
    std::string error;
    if (!checkFlashDir(error) || !trace_.open(options_.tracePath, error) || !openDevice(error) ||
        !createLink(error)) {
        std::fprintf(stderr, "rv44-sim: %s\n", error.c_str());
        return 1;
    }
    std::printf("READY %s\n", options_.linkPath.c_str());
    std::fflush(stdout);
    verboseLog("serving " + slavePath_ + " as " + options_.linkPath);

    while (waitForClient()) {
        const End end = serveClient();
        endSession();
        if (end == End::HungUp)
            return 0;
        if (end == End::Stopped || options_.once)
            break;
    }
    saveFlash();
    removeLink();
    return 0;
}

// Found out now rather than when the first update ends and its result would be lost.
bool PtySession::checkFlashDir(std::string &error) const {
    if (options_.flashDir.empty())
        return true;
    struct stat info {};
    if (::stat(options_.flashDir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        ::access(options_.flashDir.c_str(), W_OK) != 0) {
        error = options_.flashDir + " is not a writable directory";
        return false;
    }
    return true;
}

bool PtySession::openDevice(std::string &error) {
    int slave = -1;
    char name[PATH_MAX] = {};
    if (::openpty(&master_, &slave, name, nullptr, nullptr) != 0) {
        error = systemError("openpty");
        return false;
    }
    slavePath_ = name;
    termios settings{};
    if (::tcgetattr(slave, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::tcsetattr(slave, TCSANOW, &settings);
    }
    // With no slave descriptor of our own, the master reports a hang-up whenever no client
    // holds the port; that is how clients are noticed coming and going.
    ::close(slave);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    return true;
}

bool PtySession::createLink(std::string &error) {
    const std::string &link = options_.linkPath;
    struct stat existing {};
    if (::lstat(link.c_str(), &existing) == 0 && !S_ISLNK(existing.st_mode)) {
        error = link + " exists and is not a symlink; not replacing it";
        return false;
    }
    const std::string temporary = link + ".new" + std::to_string(::getpid());
    ::unlink(temporary.c_str());
    if (::symlink(slavePath_.c_str(), temporary.c_str()) != 0) {
        error = systemError(temporary);
        return false;
    }
    if (::rename(temporary.c_str(), link.c_str()) != 0) {
        error = systemError(link);
        ::unlink(temporary.c_str());
        return false;
    }
    linkCreated_ = true;
    return true;
}

void PtySession::removeLink() {
    if (!linkCreated_)
        return;
    linkCreated_ = false;
    // Another simulator may have taken the path over meanwhile; leave its link alone.
    char target[PATH_MAX] = {};
    const ssize_t length = ::readlink(options_.linkPath.c_str(), target, sizeof target - 1);
    if (length > 0 && slavePath_ == std::string(target, static_cast<size_t>(length)))
        ::unlink(options_.linkPath.c_str());
}

bool PtySession::waitForClient() {
    while (!*stopRequested_) {
        pollfd device{master_, POLLIN, 0};
        if (::poll(&device, 1, 0) >= 0 && !(device.revents & POLLHUP))
            return true;
        std::this_thread::sleep_for(kHungUpPollInterval);
    }
    return false;
}

PtySession::End PtySession::serveClient() {
    const SimClock::time_point connected = SimClock::now();
    verboseLog("client connected");
    // Drop what a previous client left unread, but keep what this one may already have sent.
    ::tcflush(master_, TCOFLUSH);
    responder_.startSession();
    frameSeen_ = false;
    outputBlocked_ = false;
    inputLineFree_ = connected;
    scheduleStartupText(connected + milliseconds(options_.startupDelayMs));

    while (!*stopRequested_) {
        const SimClock::time_point now = SimClock::now();
        if (!handleArrivedFrames(now)) {
            dropLine();
            return End::HungUp;
        }
        repeatStartupTextIfDue(now);
        if (!writeDue(now))
            return End::ClientClosed;

        const bool takeInput = pending_.size() < kMaxPendingFrames;
        pollfd device{master_, short((takeInput ? POLLIN : 0) | (outputBlocked_ ? POLLOUT : 0)), 0};
        const timespec timeout = pollTimeout(now);
        const int ready = ::ppoll(&device, 1, &timeout, nullptr);
        if (ready < 0 && errno != EINTR) {
            std::fprintf(stderr, "rv44-sim: %s\n", systemError("poll").c_str());
            return End::Stopped;
        }
        if (ready <= 0)
            continue;
        if (device.revents & POLLOUT)
            outputBlocked_ = false;
        if (device.revents & POLLIN) {
            if (!readInput(SimClock::now()))
                return End::ClientClosed;
        } else if (device.revents & (POLLHUP | POLLERR)) {
            return End::ClientClosed;
        }
    }
    return End::Stopped;
}

void PtySession::endSession() {
    verboseLog("session ended after " + std::to_string(responder_.writeFrames()) + " write frames");
    handleLeftoverFrames();
    output_.clear();
    parser_ = FrameParser();
    nextRepeat_.reset();
    saveFlash();
}

void PtySession::scheduleStartupText(SimClock::time_point start) {
    const std::string text = options_.effectiveStartupText();
    // More pieces than bytes would only add empty ones.
    const size_t pieces =
        std::max<size_t>(1, std::min(static_cast<size_t>(options_.startupPieces), text.size()));
    for (size_t i = 0; i < pieces; ++i) {
        const size_t from = i * text.size() / pieces;
        const size_t to = (i + 1) * text.size() / pieces;
        if (to > from)
            output_.schedule(start + milliseconds(options_.pieceGapMs) * i,
                             text.substr(from, to - from));
    }
    if (options_.repeatTextMs > 0)
        nextRepeat_ = start + milliseconds(options_.repeatTextMs);
}

void PtySession::repeatStartupTextIfDue(SimClock::time_point now) {
    if (!nextRepeat_ || now < *nextRepeat_)
        return;
    if (frameSeen_) {
        nextRepeat_.reset();
        return;
    }
    // A client that reads nothing must not make the queue grow without end.
    if (output_.empty())
        output_.schedule(now, options_.effectiveStartupText());
    nextRepeat_ = now + milliseconds(options_.repeatTextMs);
}

bool PtySession::readInput(SimClock::time_point now) {
    uint8_t buffer[4096];
    while (pending_.size() < kMaxPendingFrames) {
        const ssize_t count = ::read(master_, buffer, sizeof buffer);
        if (count > 0) {
            for (Frame &frame : parser_.feed(buffer, static_cast<size_t>(count), now)) {
                const SimClock::time_point start = std::max(frame.firstByteAt, inputLineFree_);
                const SimClock::time_point arrival =
                    start + output_.byteTime() * static_cast<long>(frame.bytes.size());
                inputLineFree_ = arrival;
                frameSeen_ = true;
                pending_.push_back({std::move(frame), arrival});
            }
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        // EAGAIN: all read. EIO (or end of file): the client has closed the port.
        return count < 0 && errno == EAGAIN;
    }
    return true;
}

bool PtySession::writeDue(SimClock::time_point now) {
    if (outputBlocked_)
        return true;
    const std::string due = output_.takeDue(now);
    size_t sent = 0;
    while (sent < due.size()) {
        const ssize_t count = ::write(master_, due.data() + sent, due.size() - sent);
        if (count > 0) {
            sent += static_cast<size_t>(count);
        } else if (count < 0 && errno == EINTR) {
            continue;
        } else if (count < 0 && errno == EAGAIN) {
            output_.giveBack(due.substr(sent), now);
            outputBlocked_ = true;
            return true;
        } else {
            return false;
        }
    }
    return true;
}

// Returns false when a fault asks for the line to be dropped.
bool PtySession::handleArrivedFrames(SimClock::time_point now) {
    while (!pending_.empty() && pending_.front().arrival <= now) {
        const PendingFrame pending = std::move(pending_.front());
        pending_.pop_front();
        const Reaction reaction = responder_.handle(pending.frame);
        if (!reaction.reply.empty()) {
            verboseLog("reply \"" + printableText(reaction.reply) + "\"");
            scheduleReply(reaction.reply, pending.arrival);
        }
        if (reaction.saveFlash)
            saveFlash();
        if (reaction.hangUp)
            return false;
    }
    return true;
}

void PtySession::handleLeftoverFrames() {
    // The client is gone, but what it sent still reached the receiver.
    while (!pending_.empty()) {
        responder_.handle(pending_.front().frame);
        pending_.pop_front();
    }
}

void PtySession::scheduleReply(const std::string &reply, SimClock::time_point arrival) {
    const SimClock::time_point due = arrival + milliseconds(options_.replyDelayMs);
    if (!options_.split || reply.size() < 2) {
        output_.schedule(due, reply);
        return;
    }
    const size_t word = reply.find_last_not_of("\r\n") + 1;
    const size_t cut = std::max<size_t>(1, word / 2);
    output_.schedule(due, reply.substr(0, cut));
    output_.schedule(due + milliseconds(options_.splitGapMs), reply.substr(cut));
}

// Nanosecond resolution: a byte lasts 87 us at 115200 baud, and waits rounded up to whole
// milliseconds would slow a paced line by a tenth.
timespec PtySession::pollTimeout(SimClock::time_point now) const {
    SimClock::time_point wake = now + kLongestPoll;
    if (!outputBlocked_ && output_.nextDue())
        wake = std::min(wake, *output_.nextDue());
    if (!pending_.empty())
        wake = std::min(wake, pending_.front().arrival);
    if (nextRepeat_)
        wake = std::min(wake, *nextRepeat_);
    if (wake <= now)
        return timespec{0, 0};
    const auto nanos = std::chrono::duration_cast<std::chrono::nanoseconds>(wake - now).count();
    return timespec{static_cast<time_t>(nanos / 1000000000), static_cast<long>(nanos % 1000000000)};
}

// The device vanishes: the last reply goes out, then the port and its link disappear.
void PtySession::dropLine() {
    verboseLog("dropping the line after " + std::to_string(responder_.writeFrames()) +
               " write frames");
    const SimClock::time_point limit = SimClock::now() + kHangUpDrainLimit;
    while (!output_.empty() && SimClock::now() < limit && !*stopRequested_) {
        std::this_thread::sleep_until(std::min(*output_.nextDue(), limit));
        outputBlocked_ = false;
        if (!writeDue(SimClock::now()))
            break;
        if (outputBlocked_)
            std::this_thread::sleep_for(kHungUpPollInterval);
    }
    std::this_thread::sleep_for(kHangUpGrace);
    ::close(master_);
    master_ = -1;
    removeLink();
}

void PtySession::saveFlash() {
    if (options_.flashDir.empty())
        return;
    std::string error;
    if (!flash_.saveTo(options_.flashDir, error))
        std::fprintf(stderr, "rv44-sim: cannot write flash files: %s\n", error.c_str());
}
