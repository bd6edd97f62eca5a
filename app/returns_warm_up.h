// SPDX-License-Identifier: GPL-3.0-or-later
// The exact returns the options and pay-table windows show, computed on a thread of their own once the
// machine window has been painted for the first time: the start does not wait for them, and neither does a
// window's first opening.
#pragma once

#include "core/machine_math.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace zem::app {

// The numbers of lines to compute, the one played now first and then every other the player can choose.
std::vector<int16_t> linesInOrder(int64_t playedNow);

class ReturnsAfterFirstPaint : public QObject {
  public:
    // `playedNow` gives the number of lines played when the work starts. The work stops with this object.
    ReturnsAfterFirstPaint(QWidget* window, std::function<int64_t()> playedNow);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* window_;
    std::function<int64_t()> playedNow_;
    std::unique_ptr<core::ReturnsWarmUp> warmUp_;
};

}  // namespace zem::app
