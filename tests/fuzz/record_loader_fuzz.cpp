// The settings store as untrusted input: whatever the file holds, every player record loads without fault,
// the next save writes a file that reads back whole, and nothing that could be read is lost on the way.
#include "core/machine_state.h"
#include "platform/qt/qt_settings_store.h"
#include "play/player_record.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <unistd.h>

namespace {

using zem::core::MachineState;
using zem::platform::qt::QtSettingsStore;
using zem::play::StoredSeries;

void fail(const char* what, int slot) {
    std::fprintf(stderr, "record loader: %s (slot %d)\n", what, slot);
    std::abort();
}

QString storeFile() {
    static const QString path = [] {
        const QString base = QDir("/dev/shm").exists() ? "/dev/shm" : QDir::tempPath();
        const QString folder = base + QString("/zem-record-fuzz-%1").arg(::getpid());
        QDir().mkpath(folder);
        return folder + "/zem.ini";
    }();
    return path;
}

bool sameRecord(const MachineState& a, const MachineState& b) {
    return a.howmanyspins == b.howmanyspins && a.soundonoff == b.soundonoff && a.machinepay == b.machinepay &&
           a.winroll == b.winroll && a.reelspeed == b.reelspeed && a.amountinvested == b.amountinvested &&
           a.wager == b.wager && a.total == b.total && a.bank == b.bank && a.games == b.games &&
           a.currentplayer == b.currentplayer;
}

bool sameSeries(const std::optional<StoredSeries>& a, const std::optional<StoredSeries>& b) {
    if (a.has_value() != b.has_value()) return false;
    if (!a) return true;
    if (a->resumable != b->resumable || a->freespinwin != b->freespinwin) return false;
    if (!a->resumable) return true;
    for (int reel = 1; reel <= 5; ++reel) {
        if (a->reelstop[reel] != b->reelstop[reel] || a->wildhold[reel] != b->wildhold[reel]) return false;
    }
    return a->freespinstotal == b->freespinstotal && a->freespinsplayed == b->freespinsplayed &&
           a->winmultiplier == b->winmultiplier && a->linesplayed == b->linesplayed &&
           a->coinsperline == b->coinsperline;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = storeFile();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) fail("cannot prepare the store file", 0);
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }

    MachineState loaded[7];
    std::optional<StoredSeries> series[7];
    {
        QtSettingsStore store(path);
        for (int slot = 1; slot <= 6; ++slot) {
            MachineState& s = loaded[slot];
            zem::play::readRecord(s, store, slot);
            // The corrections a load applies.
            if (s.machinepay == 0) s.machinepay = 5;
            if (s.reelspeed < 1) s.reelspeed = 1;
            series[slot] = zem::play::readSeries(store, slot);
            if (series[slot] && series[slot]->resumable) zem::play::applySeries(s, *series[slot]);
            if (series[slot] && !series[slot]->resumable) series[slot].reset();  // such a series ends here
        }
        // The next save: every slot as loaded.
        for (int slot = 1; slot <= 6; ++slot) {
            if (!zem::play::writeRecord(loaded[slot], store, slot)) fail("the save failed", slot);
        }
    }
    QtSettingsStore again(path);
    for (int slot = 1; slot <= 6; ++slot) {
        MachineState s;
        if (zem::play::readRecord(s, again, slot) != 0) fail("a saved key does not read back", slot);
        if (!sameRecord(s, loaded[slot])) fail("a saved record reads back different", slot);
        if (!sameSeries(zem::play::readSeries(again, slot), series[slot]))
            fail("a saved series differs", slot);
    }
    return 0;
}
