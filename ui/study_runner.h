// A study on worker threads, reported on the user-interface thread: each cell as it finishes,
// then all of them in (point, code) order. The workers run at a lower priority than the
// windows' thread, so every core computes and the windows still answer at once.
#pragma once

#include <QObject>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "engine/study.h"

namespace tavolin::ui {

class StudyRunner : public QObject {
    Q_OBJECT
  public:
    using CellDone = std::function<void(const StudyCell&)>;
    using Finished = std::function<void(std::vector<StudyCell> cells, bool stopped)>;

    StudyRunner(CellDone cell_done, Finished finished, QObject* parent = nullptr);
    // Stops a study under way and waits for its workers; nothing is reported after.
    ~StudyRunner() override;

    // Starts `spec` on `threads` workers; nothing while a study runs.
    void start(const StudySpec& spec, int threads);
    // Asks the workers to stop: the cells under way end early, and `finished` follows.
    void stop() { stop_ = true; }
    // From start() until `finished` has been called.
    bool running() const { return running_; }

  private:
    void join();

    CellDone cell_done_;
    Finished finished_;
    StudySpec spec_;  // the workers read it until they end
    std::atomic<bool> stop_{false};
    std::thread thread_;
    bool running_ = false;
};

}  // namespace tavolin::ui
