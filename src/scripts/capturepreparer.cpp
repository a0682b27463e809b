#include "scripts/capturepreparer.h"

#include "core/textfiles.h"
#include "scripts/commandcapture.h"
#include "widgets/boxtext.h"

#include <QTextDocument>
#include <QThread>
#include <chrono>
#include <system_error>

namespace tess {

namespace {

template <class T> bool isReady(const std::future<T> &part)
{
    return !part.valid() || part.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

} // namespace

CapturePreparer::CapturePreparer() : m_capture(captureCommands) {}

// The futures of each work wait for their workers as they go.
CapturePreparer::~CapturePreparer() { drop(); }

void CapturePreparer::start(const QString &input)
{
    drop();
    auto work = std::make_unique<Work>();
    work->stop = std::make_shared<std::atomic<bool>>(false);
    work->input = input;
    try {
        work->prepared.result = std::async(
            std::launch::async, [capture = m_capture, input, home = QThread::currentThread(), stop = work->stop] {
                Result r;
                r.script = capture(input);
                if (!stop->load(std::memory_order_relaxed))
                    r.document = makeBoxDocument(r.script, home, *stop);
                return r;
            });
        work->prepared.inputBytes = std::async(std::launch::async, [input] { return fileBytesFromText(input); });
    } catch (const std::system_error &) {
        // Whatever did start is waited for here; the press then does the work itself.
        work->stop->store(true, std::memory_order_relaxed);
        return;
    }
    m_current = std::move(work);
}

void CapturePreparer::drop()
{
    if (!m_current)
        return;
    m_current->stop->store(true, std::memory_order_relaxed);
    m_dropped.push_back(std::move(m_current));
    // Work already done goes at once with its document; a worker still running leaves out what is
    // left of its work and goes at a later look.
    reapDropped();
}

void CapturePreparer::reapDropped()
{
    std::erase_if(m_dropped, [](const std::unique_ptr<Work> &work) {
        return isReady(work->prepared.result) && isReady(work->prepared.inputBytes);
    });
}

void CapturePreparer::wait() const
{
    if (!m_current)
        return;
    m_current->prepared.result.wait();
    m_current->prepared.inputBytes.wait();
}

std::optional<CapturePreparer::Prepared> CapturePreparer::take(const QString &input)
{
    reapDropped();
    if (!m_current)
        return std::nullopt;
    if (m_current->input != input) {
        drop();
        return std::nullopt;
    }
    const std::unique_ptr<Work> work = std::move(m_current);
    return std::move(work->prepared);
}

} // namespace tess
