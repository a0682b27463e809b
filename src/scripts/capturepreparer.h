#pragma once
// Works out the capture of a pasted input on worker threads while the user looks at the paste:
// the captured script with the result box's document holding it, and the bytes of the input as
// the scratch file keeps them, so that the capture button only has to hand the document to the box
// and the bytes to the file. A later edit of the input drops the work (it is then neither waited
// for nor used); the press takes it only for the very input it was started on. The workers never
// touch a widget: they read their own copy of the input and make a document that they hand over
// to the thread that started them.

#include <QByteArray>
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
    // Works out the captured script of an input; runs on a worker thread.
    using Capture = std::function<QString(QStringView history)>;

    struct Result {
        QString script;
        std::unique_ptr<QTextDocument> document; // on the thread that started the work
    };
    // The work for one input, each part ready at its get() (which throws a failure of its worker).
    struct Prepared {
        std::future<QByteArray> inputBytes; // fileBytesFromText of the input
        std::future<Result> result;
    };

    CapturePreparer();
    // Waits for the workers still running; their results are dropped.
    ~CapturePreparer();
    CapturePreparer(const CapturePreparer &) = delete;
    CapturePreparer &operator=(const CapturePreparer &) = delete;

    // Starts the work for `input`, dropping any earlier work. When no thread can be had there is
    // no work, and the caller does it all itself.
    void start(const QString &input);
    // Drops the current work without waiting for it.
    void drop();
    // True while there is work for an input (running or done, not yet taken).
    bool isPreparing() const { return m_current != nullptr; }
    // Waits until the current work is done.
    void wait() const;
    // The current work when it was started on `input`; nothing otherwise. Either way the work is
    // no longer the current one.
    std::optional<Prepared> take(const QString &input);

    // Tests put a slow capture in; captureCommands by default.
    void setCapture(Capture capture) { m_capture = std::move(capture); }

private:
    struct Work {
        std::shared_ptr<std::atomic<bool>> stop; // shared with the worker, which may outlive the work
        QString input;
        Prepared prepared;
    };
    void reapDropped();

    Capture m_capture;
    std::unique_ptr<Work> m_current;
    std::vector<std::unique_ptr<Work>> m_dropped;
};

} // namespace tess
