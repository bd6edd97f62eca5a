// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures painted at a scale, kept in the user's cache folder so that a later run need not paint them
// again: one file a picture, named by the painters' edition, the scale, the picture's name and number.
#pragma once

#include "platform/controls.h"

#include <QImage>
#include <QString>

#include <cstdint>

namespace zem::platform::qt {

class PictureCache {
  public:
    // Pictures of `edition` (what they depend on: the program's version, its drawings, the fonts) under
    // `folder`, which the cache makes when missing. Nothing is kept when the folder is empty, or is not a
    // folder of this account's that only it may write to (a link is refused), or can not be made.
    PictureCache(QString folder, const QString& edition, int64_t bound = int64_t{384} << 20);

    bool usable() const { return usable_; }

    // The picture kept for `ref` at `device` pixels a twip-pixel; a null image when none is kept, or the file
    // is not the cache's own regular file, or is short, damaged or of another picture.
    QImage load(const PictureRef& ref, double device) const;
    // Keeps `image` for `ref` at `device`: written beside its place and renamed into it, so that a reader
    // sees the whole file or none.
    void store(const PictureRef& ref, double device, const QImage& image) const;
    // Removes what the cache itself wrote and no longer needs: pictures of other editions, writes left half
    // done by an earlier run, pictures of other scales unused for a month; then the oldest pictures while all
    // of them together are larger than the bound. Any other file is left alone.
    void prune() const;

    // The file a picture is kept in (empty for a name the cache does not keep).
    QString fileOf(const PictureRef& ref, double device) const;

  private:
    QString folder_;
    uint64_t edition_ = 0;
    int64_t bound_;
    bool usable_ = false;
};

}  // namespace zem::platform::qt
