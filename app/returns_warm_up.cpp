// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the returns' computation after the machine window's first paint.
#include "app/returns_warm_up.h"

#include "play/player_record.h"

#include <QEvent>
#include <QMetaObject>
#include <QWidget>

#include <algorithm>

namespace zem::app {

std::vector<int16_t> linesInOrder(int64_t playedNow) {
    std::vector<int16_t> lines{static_cast<int16_t>(std::clamp<int64_t>(playedNow, 1, core::kLines))};
    for (int64_t choice : play::kLineChoices) {
        const auto n = static_cast<int16_t>(choice);
        if (std::find(lines.begin(), lines.end(), n) == lines.end()) lines.push_back(n);
    }
    return lines;
}

ReturnsAfterFirstPaint::ReturnsAfterFirstPaint(QWidget* window, std::function<int64_t()> playedNow)
    : window_(window), playedNow_(std::move(playedNow)) {
    if (window_ != nullptr) window_->installEventFilter(this);
}

bool ReturnsAfterFirstPaint::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Paint) {
        window_->removeEventFilter(this);
        // Queued: the work starts once this paint is on the screen.
        QMetaObject::invokeMethod(
            this, [this] { warmUp_ = std::make_unique<core::ReturnsWarmUp>(linesInOrder(playedNow_())); },
            Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace zem::app
