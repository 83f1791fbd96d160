// SPDX-License-Identifier: GPL-3.0-or-later
// A study on worker threads, reported on the user-interface thread: the cells as they finish,
// then all of them in (point, code) order.
//
// The windows' thread never waits for a worker. The workers run at a lower priority, so that
// every core computes while the windows still answer at once; but then a lock shared with them
// (the memory allocator's among them) could be held by a worker the system has set aside, and
// the windows would wait for it. So each finished cell is copied into a slot made before the
// study starts and marked filled, and the windows' thread collects the filled slots on a timer,
// all at once however many have finished.
#pragma once

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "engine/study.h"

class QTimer;

namespace tavolin::ui {

class StudyRunner : public QObject {
    Q_OBJECT
  public:
    // The cells finished since the last call, in the order they finished; together they are
    // the cells run_study returns.
    using CellsDone = std::function<void(std::vector<StudyCell> cells)>;
    using Finished = std::function<void(bool stopped)>;

    StudyRunner(CellsDone cells_done, Finished finished, QObject* parent = nullptr);
    // Stops a study under way and waits for its workers; nothing is reported after.
    ~StudyRunner() override;

    // Starts the study on `threads` workers; nothing while one runs.
    void start(const StudyPlan& plan, int threads);
    // What runs each cell of the studies started from now on (the engine's run_cell unless set).
    void set_cell_function(CellFunction cell) { cell_ = std::move(cell); }
    // Asks the workers to stop: the cells under way end early, and `finished` follows.
    void stop() { stop_ = true; }
    // From start() until `finished` has been called.
    bool running() const { return running_; }

  private:
    void poll();
    std::vector<StudyCell> take();
    void join();

    CellsDone cells_done_;
    Finished finished_;
    QTimer* poll_;
    StudyPlan plan_;  // the workers read it until they end
    CellFunction cell_ = run_cell;
    std::atomic<bool> stop_{false};
    std::vector<StudyCell> slots_;  // one for each cell, filled in the order the cells finish
    std::unique_ptr<std::atomic<bool>[]> filled_;
    std::size_t next_slot_ = 0;       // the workers', which report one cell at a time
    std::size_t read_ = 0;            // the windows' thread's
    std::atomic<bool> ended_{false};  // the workers have ended
    std::thread thread_;
    bool running_ = false;
};

}  // namespace tavolin::ui
