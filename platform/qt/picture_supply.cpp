// SPDX-License-Identifier: GPL-3.0-or-later
// One painter thread and a list of what to paint, shared with it: the thread keeps the list alive while it
// runs, so the supply can go while the thread finishes the picture in hand.
#include "picture_supply.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <tuple>

namespace zem::platform::qt {

namespace {

using Key = std::tuple<std::string, int, long>;

Key keyOf(const PictureRef& ref, double device) {
    return {ref.name, ref.index, std::lround(device * 1000.0)};
}

struct Job {
    PictureRef ref;
    double device = 1.0;
    bool ahead = false;
};

}  // namespace

struct PictureSupply::State {
    Painter paint;
    // The cache folder, opened by the first thread that needs it (working out its edition takes a moment).
    std::function<std::unique_ptr<PictureCache>()> openCache;
    std::once_flag opened;
    std::unique_ptr<PictureCache> openedCache;
    PictureCache* cache() {
        if (!openCache) return nullptr;
        std::call_once(opened, [this] {
            openedCache = openCache();
            if (openedCache && !openedCache->usable()) openedCache.reset();
        });
        return openedCache.get();
    }
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Job> now;                        // painted from the back
    std::deque<Job> ahead;                       // painted from the front, after the pictures for now
    long aheadDevice = 0;                        // thousandths
    std::vector<std::pair<Job, QImage>> writes;  // painted by the windows' thread, to keep in the folder
    struct Ready {
        QImage image;
        bool ahead;
    };
    std::map<Key, Ready> ready;
    std::optional<Key> inHand;  // the picture the thread paints now
    bool busy = false;          // the thread works outside the lock (painting, reading or writing)
    bool pruned = false;
    bool stopping = false;
    std::thread thread;

    bool queued(const Key& key) const {
        auto same = [&](const Job& j) { return keyOf(j.ref, j.device) == key; };
        return ready.count(key) != 0 || inHand == key || std::any_of(now.begin(), now.end(), same) ||
               std::any_of(ahead.begin(), ahead.end(), same);
    }

    void forget(const Key& key) {
        auto same = [&](const Job& j) { return keyOf(j.ref, j.device) == key; };
        now.erase(std::remove_if(now.begin(), now.end(), same), now.end());
        ahead.erase(std::remove_if(ahead.begin(), ahead.end(), same), ahead.end());
    }

    static void run(const std::shared_ptr<State>& s) {
        std::unique_lock lock(s->mutex);
        while (!s->stopping) {
            // What a window waits for comes first, then writing to the cache folder, then painting ahead.
            if (s->now.empty() && !s->writes.empty()) {
                auto [job, image] = std::move(s->writes.back());
                s->writes.pop_back();
                s->busy = true;
                lock.unlock();
                s->cache()->store(job.ref, job.device, image);
                lock.lock();
                s->busy = false;
                continue;
            }
            Job job;
            if (!s->now.empty()) {
                job = s->now.back();
                s->now.pop_back();
            } else if (!s->ahead.empty()) {
                job = s->ahead.front();
                s->ahead.pop_front();
            } else if (!s->pruned && s->openCache) {
                s->pruned = true;
                s->busy = true;
                lock.unlock();
                if (PictureCache* cache = s->cache()) cache->prune();
                lock.lock();
                s->busy = false;
                continue;
            } else {
                s->changed.notify_all();
                s->changed.wait(lock);
                continue;
            }
            const Key key = keyOf(job.ref, job.device);
            if (s->ready.count(key) != 0) continue;
            s->inHand = key;
            s->busy = true;
            lock.unlock();
            PictureCache* cache = s->cache();
            QImage image = cache != nullptr ? cache->load(job.ref, job.device) : QImage();
            const bool painted = image.isNull();
            if (painted) image = s->paint(job.ref, job.device);
            lock.lock();
            s->inHand.reset();
            // A picture ahead for a scale the window no longer switches to is let go.
            if (!job.ahead || std::get<2>(key) == s->aheadDevice) s->ready[key] = {image, job.ahead};
            if (painted && cache != nullptr && !image.isNull()) s->writes.push_back({job, image});
            s->changed.notify_all();
            s->busy = false;
        }
        s->busy = false;
        s->changed.notify_all();
    }
};

PictureSupply::PictureSupply(Painter paint, std::function<std::unique_ptr<PictureCache>()> openCache)
    : state_(std::make_shared<State>()) {
    state_->paint = std::move(paint);
    state_->openCache = std::move(openCache);
    state_->thread = std::thread([s = state_] { State::run(s); });
}

PictureSupply::~PictureSupply() {
    if (!stop()) state_->thread.detach();
}

QImage PictureSupply::take(const PictureRef& ref, double device) {
    State& s = *state_;
    const Key key = keyOf(ref, device);
    {
        std::unique_lock lock(s.mutex);
        // The thread paints this very picture: it is waited for, never any other.
        s.changed.wait(lock, [&] { return s.inHand != key; });
        if (auto it = s.ready.find(key); it != s.ready.end()) {
            QImage image = std::move(it->second.image);
            s.ready.erase(it);
            return image;
        }
        s.forget(key);
    }
    PictureCache* cache = s.cache();
    QImage image = cache != nullptr ? cache->load(ref, device) : QImage();
    if (image.isNull() && s.paint) {
        image = s.paint(ref, device);
        std::lock_guard lock(s.mutex);
        if (cache != nullptr && !image.isNull() && !s.stopping) {
            s.writes.push_back({Job{ref, device, false}, image});
            s.changed.notify_all();
        }
    }
    return image;
}

void PictureSupply::prepare(const std::vector<PictureRef>& refs, double device, bool ahead) {
    State& s = *state_;
    std::lock_guard lock(s.mutex);
    if (ahead) {
        const long thousandths = std::lround(device * 1000.0);
        if (thousandths != s.aheadDevice) {
            s.ahead.clear();
            for (auto it = s.ready.begin(); it != s.ready.end();)
                it = it->second.ahead ? s.ready.erase(it) : std::next(it);
            s.aheadDevice = thousandths;
        }
    }
    for (const PictureRef& ref : refs) {
        if (ref.empty() || s.queued(keyOf(ref, device))) continue;
        if (ahead)
            s.ahead.push_back({ref, device, true});
        else
            s.now.push_back({ref, device, false});
    }
    s.changed.notify_all();
}

bool PictureSupply::settled() const {
    State& s = *state_;
    std::lock_guard lock(s.mutex);
    return s.now.empty() && s.ahead.empty() && s.writes.empty() && !s.busy && (s.pruned || !s.openCache);
}

bool PictureSupply::stop() {
    State& s = *state_;
    {
        std::lock_guard lock(s.mutex);
        s.stopping = true;
        s.changed.notify_all();
        if (s.busy) return false;
    }
    if (s.thread.joinable()) s.thread.join();
    return true;
}

}  // namespace zem::platform::qt
