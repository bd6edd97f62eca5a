// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures painted at a scale without keeping the windows waiting: a painter thread paints what a window is
// about to show (and what it would show at its other size) ahead of need, the cache folder keeps them for the
// next run, and the thread of the windows paints a picture itself only when nobody has it ready.
#pragma once

#include "picture_cache.h"
#include "platform/controls.h"

#include <QImage>

#include <functional>
#include <memory>
#include <vector>

namespace zem::platform::qt {

class PictureSupply {
  public:
    // Paints picture `ref` at `device` times its own size; any thread may call it.
    using Painter = std::function<QImage(const PictureRef& ref, double device)>;
    // `openCache` opens the cache folder when a picture is first wanted (none without it).
    explicit PictureSupply(Painter paint, std::function<std::unique_ptr<PictureCache>()> openCache = {});
    // Stops the painter thread; see stop().
    ~PictureSupply();
    PictureSupply(const PictureSupply&) = delete;
    PictureSupply& operator=(const PictureSupply&) = delete;

    // The picture now: ready from the painter thread, or waited for while that thread paints this very
    // picture, or read from the cache folder, or painted on the calling thread.
    QImage take(const PictureRef& ref, double device);
    // Paints these in the painter thread. Pictures for now are painted from the last, while the caller takes
    // them from the first; pictures ahead of need (`ahead`, a size the window may switch to) come after
    // them, and a later list ahead replaces an earlier one of another scale.
    void prepare(const std::vector<PictureRef>& refs, double device, bool ahead);

    // Whether nothing is left to paint or write.
    bool settled() const;
    // Asks the painter thread to stop after the picture in hand and returns whether it has stopped. False
    // while it is still inside a picture: it stops after that, on its own, but the program must not take
    // apart what painting uses (Qt's font database, the fonts) before, nor wait for it to quit.
    bool stop();

  private:
    struct State;
    std::shared_ptr<State> state_;
};

}  // namespace zem::platform::qt
