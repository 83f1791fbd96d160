// SPDX-License-Identifier: GPL-3.0-or-later
// Run control: what the start button, the timer and the stop button do, for the window and the
// command alike.
#pragma once

#include "core/sim_state.h"
#include "engine/run_io.h"

namespace tavolin {

enum class RunMode {
    Packet,               // one packet per start
    Continuous,           // a packet per tick, accumulating since the start
    ContinuousPerPacket,  // a packet per tick, each an independent packet run
};

class RunControl {
  public:
    RunControl(SimState& st, const RunInputs& in, RunOutputs& out) : st_(st), in_(in), out_(out) {}

    // The start button. A packet run is made at once and nothing keeps running; a continuous
    // run checks its inputs once and is then running, or is refused (its message shown) and
    // is not. Returns whether a run now goes on.
    bool start(RunMode mode);
    // One timer tick of the run that goes on.
    void tick();
    // A tick of an accumulating run whose results are kept but not shown, for a caller that
    // looks only at where the run ends; `show` then shows where it stands, as the last tick
    // would have. Any other run ticks as usual and shows nothing more.
    void advance();
    void show();
    // The stop button: counters reset, accumulators freed.
    void stop();

    bool running() const { return running_; }

  private:
    SimState& st_;
    const RunInputs& in_;
    RunOutputs& out_;
    RunMode mode_ = RunMode::Packet;
    bool running_ = false;
};

}  // namespace tavolin
