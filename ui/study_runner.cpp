#include "ui/study_runner.h"

#include <utility>

#ifdef __linux__
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace tavolin::ui {

namespace {

// On Linux the nice value belongs to the thread, and the threads it starts inherit it: the
// study's pool computes at full speed on an idle machine, yet yields to the windows' thread
// whenever that has an event to handle.
void lower_priority() {
#ifdef __linux__
    constexpr int kNice = 10;
    (void)setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kNice);
#endif
}

}  // namespace

StudyRunner::StudyRunner(CellDone cell_done, Finished finished, QObject* parent)
    : QObject(parent), cell_done_(std::move(cell_done)), finished_(std::move(finished)) {}

StudyRunner::~StudyRunner() {
    stop_ = true;
    join();
    // Reports still queued for this object are dropped with it.
}

void StudyRunner::join() {
    if (thread_.joinable()) thread_.join();
}

void StudyRunner::start(const StudySpec& spec, int threads) {
    if (running_) return;
    join();  // the thread of the last study has already ended
    spec_ = spec;
    stop_ = false;
    running_ = true;
    thread_ = std::thread([this, threads] {
        lower_priority();
        std::vector<StudyCell> cells = run_study(spec_, threads, stop_, [this](const StudyCell& c) {
            QMetaObject::invokeMethod(
                this, [this, c] { cell_done_(c); }, Qt::QueuedConnection);
        });
        const bool stopped = stop_.load();
        QMetaObject::invokeMethod(
            this,
            [this, cells = std::move(cells), stopped]() mutable {
                running_ = false;
                join();
                finished_(std::move(cells), stopped);
            },
            Qt::QueuedConnection);
    });
}

}  // namespace tavolin::ui
