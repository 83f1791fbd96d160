// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/study/study_runner.h"

#include <QTimer>
#include <type_traits>
#include <utility>

#ifdef __linux__
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace tavolin::ui {

namespace {

static_assert(std::is_trivially_copyable_v<StudyCell>,
              "a cell is copied into its slot on a worker: it must own no memory");

// Often enough that the curves grow point by point, seldom enough to cost nothing.
constexpr int kPollMs = 40;

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

StudyRunner::StudyRunner(CellsDone cells_done, Finished finished, QObject* parent)
    : QObject(parent),
      cells_done_(std::move(cells_done)),
      finished_(std::move(finished)),
      poll_(new QTimer(this)) {
    poll_->setInterval(kPollMs);
    connect(poll_, &QTimer::timeout, this, &StudyRunner::poll);
}

StudyRunner::~StudyRunner() {
    stop_ = true;
    join();
}

void StudyRunner::join() {
    if (thread_.joinable()) thread_.join();
}

void StudyRunner::start(const StudyPlan& plan, int threads) {
    if (running_) return;
    join();  // the thread of the last study ended before it was reported finished
    plan_ = plan;
    const std::size_t cells = shard_points(plan_).size() * plan_.codes.size();
    slots_.assign(cells, StudyCell{});
    filled_ = std::make_unique<std::atomic<bool>[]>(cells);
    next_slot_ = read_ = 0;
    stop_ = false;
    ended_ = false;
    running_ = true;
    thread_ = std::thread([this, threads] {
        lower_priority();
        // run_study reports one cell at a time; a cell holds no memory of its own, so copying
        // it allocates nothing. What run_study returns is what was reported, and is let go here.
        run_study(
            plan_, threads, stop_,
            [this](const StudyCell& c) {
                slots_[next_slot_] = c;
                filled_[next_slot_].store(true, std::memory_order_release);
                ++next_slot_;
            },
            cell_);
        ended_.store(true, std::memory_order_release);
    });
    poll_->start();
}

std::vector<StudyCell> StudyRunner::take() {
    std::vector<StudyCell> cells;
    while (read_ < slots_.size() && filled_[read_].load(std::memory_order_acquire))
        cells.push_back(slots_[read_++]);
    return cells;
}

void StudyRunner::poll() {
    // Read before taking the cells: once the workers have ended, none comes after them.
    const bool ended = ended_.load(std::memory_order_acquire);
    std::vector<StudyCell> cells = take();
    if (!cells.empty()) cells_done_(std::move(cells));
    if (!ended) return;
    // The thread is joined at the next start, or on destruction: it may not have returned yet.
    poll_->stop();
    running_ = false;
    finished_(stop_.load());
}

}  // namespace tavolin::ui
