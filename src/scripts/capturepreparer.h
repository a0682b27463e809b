#pragma once
// Works out the capture of a pasted input on a worker thread while the user looks at the paste:
// the captured script and the result box's document holding it, so that the capture button only
// has to hand the document to the box. A later edit of the input drops the work (it is then
// neither waited for nor used); the press takes it only for the very input it was started on.
// The worker never touches a widget: it reads its own copy of the input and makes a document that
// it hands over to the thread that started it.

#include <QString>
#include <QStringView>
#include <atomic>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <vector>

class QTextDocument;

namespace tess {

class CapturePreparer
{
public:
    // Works out the captured script of an input; runs on the worker thread.
    using Capture = std::function<QString(QStringView history)>;

    struct Result {
        QString script;
        std::unique_ptr<QTextDocument> document; // on the thread that started the work
    };

    CapturePreparer();
    // Waits for the workers still running; their results are dropped.
    ~CapturePreparer();
    CapturePreparer(const CapturePreparer &) = delete;
    CapturePreparer &operator=(const CapturePreparer &) = delete;

    // Starts the work for `input`, dropping any earlier work. When no thread can be had there is
    // no work, and the caller captures on its own.
    void start(const QString &input);
    // Drops the current work without waiting for it.
    void drop();
    // True while there is work for an input (running or done, not yet taken).
    bool isPreparing() const { return m_current != nullptr; }
    // Waits until the current work is done.
    void wait() const;
    // The current work's result when it was started on `input`, waited for; nothing otherwise.
    // The work is used up either way; a failure of the worker is thrown here.
    std::optional<Result> take(const QString &input);

    // Tests put a slow capture in; captureCommands by default.
    void setCapture(Capture capture) { m_capture = std::move(capture); }

private:
    struct Work {
        std::atomic<bool> stop{false};
        QString input;
        std::future<Result> result; // last: its destructor waits for the worker before the rest goes
    };
    void reapDropped();

    Capture m_capture;
    std::unique_ptr<Work> m_current;
    std::vector<std::unique_ptr<Work>> m_dropped;
};

} // namespace tess
