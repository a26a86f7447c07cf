#include "options.h"
#include "ptysession.h"
#include "simlog.h"

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/prctl.h>
#include <vector>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) {
    stopRequested = 1;
}

void installSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a signal must cut a poll short so that the loop sees the request.
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

} // namespace

int main(int argc, char **argv) {
    const ParsedOptions parsed = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "rv44-sim: %s\nTry rv44-sim --help\n", parsed.error.c_str());
        return 2;
    }
    if (parsed.help) {
        std::fputs(helpText().c_str(), stdout);
        return 0;
    }
    setVerboseLog(parsed.options.verbose);
    installSignalHandlers();
    // A paced byte lasts 87 us at 115200 baud; the default 50 us timer slack would stretch
    // every wake-up by more than half of that.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    PtySession session(parsed.options, &stopRequested);
    return session.run();
}
