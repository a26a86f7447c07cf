#pragma once

#include "messageboxes.h"
#include "programend.h"

#include <QList>
#include <QString>

// Message boxes answered from a script, with every box shown kept for the test to check.
class RecordingBoxes : public MessageBoxes {
public:
    struct Shown {
        QString kind; // "information", "warning", "critical", "yesno", "retrycancel"
        QString text;
    };

    void information(const QString &text) override { shown.append({"information", text}); }
    void warning(const QString &text) override { shown.append({"warning", text}); }
    void critical(const QString &text) override { shown.append({"critical", text}); }
    bool askYesNo(const QString &text) override {
        shown.append({"yesno", text});
        return nextAnswer();
    }
    bool askRetryCancel(const QString &text) override {
        shown.append({"retrycancel", text});
        return nextAnswer();
    }

    // Answers for the questions, in order: true = Yes/Retry. Unscripted questions get false.
    QList<bool> answers;
    QList<Shown> shown;

private:
    bool nextAnswer() { return answers.isEmpty() ? false : answers.takeFirst(); }
};

// Records the end of the program instead of ending the test process.
class RecordingEnd : public ProgramEnd {
public:
    void endNow(int status) override {
        ++calls;
        if (calls == 1)
            this->status = status;
    }
    bool ended() const { return calls > 0; }

    int calls = 0;
    int status = -1;
};
