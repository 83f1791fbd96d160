// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run_control.h"

#include "engine/continuous_run.h"
#include "engine/packet_run.h"
#include "engine/run_inputs.h"

namespace tavolin {

bool RunControl::start(RunMode mode) {
    mode_ = mode;
    switch (mode) {
        case RunMode::Packet:
            doPocket(st_, in_, out_);
            return running_ = false;
        case RunMode::ContinuousPerPacket:
            // Every tick will be a packet run: its inputs are checked once now, so that a refused
            // input is said once instead of at every tick.
            return running_ = read_run_inputs(in_, out_, ReadMode::Packet).has_value();
        case RunMode::Continuous:
            return running_ = start_nepr(st_, in_, out_);
    }
    return running_ = false;
}

void RunControl::tick() {
    if (!running_) return;
    if (mode_ == RunMode::Continuous)
        step_nepr(st_, in_, out_);
    else
        doPocket(st_, in_, out_);
}

void RunControl::advance() {
    if (running_ && mode_ == RunMode::Continuous)
        add_packet_nepr(st_, out_);
    else
        tick();
}

void RunControl::show() {
    if (running_ && mode_ == RunMode::Continuous) show_nepr(st_, in_, out_);
}

void RunControl::stop() {
    running_ = false;
    stop_nepr(st_);
}

}  // namespace tavolin
