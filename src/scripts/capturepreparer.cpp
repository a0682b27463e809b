#include "scripts/capturepreparer.h"

#include "scripts/commandcapture.h"
#include "widgets/boxtext.h"

#include <QTextDocument>
#include <QThread>
#include <chrono>
#include <system_error>

namespace tess {

CapturePreparer::CapturePreparer() : m_capture(captureCommands) {}

CapturePreparer::~CapturePreparer()
{
    drop();
    // Each work's destructor waits for its worker.
}

void CapturePreparer::start(const QString &input)
{
    drop();
    reapDropped();
    auto work = std::make_unique<Work>();
    work->input = input;
    try {
        work->result = std::async(std::launch::async,
                                  [capture = m_capture, input, home = QThread::currentThread(), stop = &work->stop] {
                                      Result r;
                                      r.script = capture(input);
                                      if (!stop->load(std::memory_order_relaxed))
                                          r.document = makeBoxDocument(r.script, home, *stop);
                                      return r;
                                  });
    } catch (const std::system_error &) {
        return;
    }
    m_current = std::move(work);
}

void CapturePreparer::drop()
{
    if (!m_current)
        return;
    m_current->stop.store(true, std::memory_order_relaxed);
    m_dropped.push_back(std::move(m_current));
}

void CapturePreparer::reapDropped()
{
    std::erase_if(m_dropped, [](const std::unique_ptr<Work> &work) {
        return work->result.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    });
}

void CapturePreparer::wait() const
{
    if (m_current)
        m_current->result.wait();
}

std::optional<CapturePreparer::Result> CapturePreparer::take(const QString &input)
{
    reapDropped();
    if (!m_current)
        return std::nullopt;
    if (m_current->input != input) {
        drop();
        return std::nullopt;
    }
    const std::unique_ptr<Work> work = std::move(m_current);
    return work->result.get();
}

} // namespace tess
