// SPDX-License-Identifier: GPL-3.0-or-later
// The payout control: bookings, the draw, when an outcome stands, and taking a voided booking back.
#include "core/payout.h"

#include "core/checked.h"
#include "core/pays.h"
#include "core/spin_draw.h"
#include "support/machine_tables.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace zem::testing {
namespace {

using namespace zem::core;

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(Payout, DrawFromThePayoutSetting) {
    const double us[] = {0.0, 0.1, 0.19, 0.2, 0.39, 0.4, 0.5, 0.6, 0.79, 0.8, 0.99, std::nextafter(1.0, 0.0)};
    for (double u : us) {
        ScriptedRandom random({u, u, u, u});
        EXPECT_EQ(drawPayout(1, random), 1) << u;
        EXPECT_EQ(drawPayout(2, random), u < 0.5 ? 2 - 1 : 2) << u;
        EXPECT_EQ(drawPayout(5, random), static_cast<int>(u * 5) + 1) << u;
        EXPECT_EQ(drawPayout(3, random), static_cast<int>(u * 3) + 1) << u;
    }
    // A generator outside [0, 1) still gives a draw of 1 to machinepay.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    ScriptedRandom odd({1.0, 3.5, inf, -0.5, -inf, nan});
    EXPECT_EQ(drawPayout(5, odd), 5);
    EXPECT_EQ(drawPayout(5, odd), 5);
    EXPECT_EQ(drawPayout(2, odd), 2);
    EXPECT_EQ(drawPayout(5, odd), 1);
    EXPECT_EQ(drawPayout(5, odd), 1);
    EXPECT_EQ(drawPayout(5, odd), 1);
}

TEST(Payout, WhenAnOutcomeStands) {
    MachineState s;
    s.spinwin = 40;
    for (int draw = 1; draw <= 5; ++draw) {
        EXPECT_EQ(outcomeStands(s, static_cast<int16_t>(draw)), draw == 1 || draw == 3) << draw;
    }
    // A held reel, or no win, lets it stand on any draw.
    for (int reel = 2; reel <= 4; ++reel) {
        MachineState held = s;
        held.reelheld(reel) = 1;
        for (int draw = 1; draw <= 5; ++draw) EXPECT_TRUE(outcomeStands(held, static_cast<int16_t>(draw)));
    }
    MachineState losing = s;
    losing.spinwin = 0;
    for (int draw = 1; draw <= 5; ++draw) EXPECT_TRUE(outcomeStands(losing, static_cast<int16_t>(draw)));
    // A pending hold request alone (a Wild that just landed) does not.
    MachineState landed = s;
    landed.wildhold3 = 1;
    EXPECT_FALSE(outcomeStands(landed, 2));
}

TEST(Payout, SettingOneNeverVoids) {
    std::mt19937_64 engine(7);
    MachineState s;
    s.spinwin = 1525;
    for (int n = 0; n < 10000; ++n) {
        ScriptedRandom random({static_cast<double>(engine() >> 11) * 0x1.0p-53});
        EXPECT_TRUE(outcomeStands(s, drawPayout(1, random)));
    }
}

TEST(Payout, VoidOfAPaidSpinRestoresEverything) {
    MachineState s;
    s.bank = 1000;
    s.games = 3;
    s.wager = 75;
    s.total = 40;
    s.linesplayed = 25;
    s.coinsperline = 1;
    placeStops(s, {21, 1, 10, 10, 7});  // three Wilds land, two Scatters
    payOutcome(s);
    ASSERT_GT(s.spinwin, 0);
    const int32_t win = s.spinwin;
    const Booking booking = bookPaidSpin(s);
    EXPECT_EQ(s.bank, 975);
    EXPECT_EQ(s.games, 4);
    EXPECT_EQ(s.wager, 100);
    EXPECT_EQ(s.total, 40 + win);
    ASSERT_FALSE(outcomeStands(s, 2));
    voidOutcome(s, booking);
    EXPECT_EQ(s.bank, 1000);
    EXPECT_EQ(s.games, 3);
    EXPECT_EQ(s.wager, 75);
    EXPECT_EQ(s.total, 40);
    EXPECT_EQ(s.spinwin, 0);
    EXPECT_EQ(s.scattercount, 0);
    for (int reel = 2; reel <= 4; ++reel) {
        EXPECT_EQ(s.wildhold(reel), 0) << "a voided Wild holds nothing";
        EXPECT_EQ(s.reelheld(reel), 0);
    }

    // The re-spin draws all five reels, loses and stands: only its bet is booked.
    ScriptedRandom random;
    for (int16_t stop : {4, 13, 2, 1, 1}) random.pushStop(stop);
    drawSpin(s, random);
    EXPECT_EQ(random.drawn(), 5u);
    payOutcome(s);
    if (s.spinwin == 0) {
        bookPaidSpin(s);
        EXPECT_TRUE(outcomeStands(s, 5));
        EXPECT_EQ(s.bank, 975);
        EXPECT_EQ(s.games, 4);
        EXPECT_EQ(s.wager, 100);
        EXPECT_EQ(s.total, 40);
    } else {
        ADD_FAILURE() << "stops 4,13,2,1,1 were expected to lose";
    }
}

TEST(Payout, VoidOfAFreeSpinRestoresTheSeriesTotal) {
    MachineState s;
    s.freespinmode = -1;
    s.total = 500;
    s.freespinwin = 300;
    s.spinwin = 40;
    s.winmultiplier = 3;
    s.scattercount = 1;
    const Booking booking = bookFreeSpin(s);
    EXPECT_EQ(s.spinwin, 120);
    EXPECT_EQ(s.total, 620);
    EXPECT_EQ(s.freespinwin, 420);
    voidOutcome(s, booking);
    EXPECT_EQ(s.total, 500);
    EXPECT_EQ(s.freespinwin, 300);
    EXPECT_EQ(s.bank, 0);
    EXPECT_EQ(s.games, 0);
    EXPECT_EQ(s.wager, 0);

    // A retrigger keeps its win out of the series total until it is announced; a void leaves it alone.
    MachineState r;
    r.freespinmode = -1;
    r.total = 500;
    r.freespinwin = 300;
    r.spinwin = 75;
    r.scattercount = 3;
    const Booking retrigger = bookFreeSpin(r);
    EXPECT_EQ(r.total, 575);
    EXPECT_EQ(r.freespinwin, 300);
    voidOutcome(r, retrigger);
    EXPECT_EQ(r.total, 500);
    EXPECT_EQ(r.freespinwin, 300);
    EXPECT_EQ(r.scattercount, 0);
}

TEST(Payout, BookingsThatWouldOverflowAreSkippedAndNotTakenBack) {
    MachineState s;
    s.linesplayed = 25;
    s.coinsperline = 20;  // bet 500
    s.spinwin = 1525;
    s.total = kMax - 100;
    s.wager = kMax - 10;
    s.games = kMax;
    s.bank = kMin + 10;
    const Booking booking = bookPaidSpin(s);
    EXPECT_FALSE(booking.total);
    EXPECT_FALSE(booking.wager);
    EXPECT_FALSE(booking.games);
    EXPECT_FALSE(booking.bank);
    EXPECT_EQ(s.total, kMax - 100);
    EXPECT_EQ(s.wager, kMax - 10);
    EXPECT_EQ(s.games, kMax);
    EXPECT_EQ(s.bank, kMin + 10);
    voidOutcome(s, booking);
    EXPECT_EQ(s.total, kMax - 100);
    EXPECT_EQ(s.wager, kMax - 10);
    EXPECT_EQ(s.games, kMax);
    EXPECT_EQ(s.bank, kMin + 10);

    // Right at the edge the booking fits, and the void takes back exactly that.
    MachineState t;
    t.linesplayed = 25;
    t.coinsperline = 1;
    t.spinwin = 100;
    t.total = kMax - 100;
    t.wager = kMax - 25;
    t.games = kMax - 1;
    t.bank = kMax;
    const Booking edge = bookPaidSpin(t);
    EXPECT_EQ(t.total, kMax);
    EXPECT_EQ(t.wager, kMax);
    EXPECT_EQ(t.games, kMax);
    EXPECT_EQ(t.bank, kMax - 25);
    voidOutcome(t, edge);
    EXPECT_EQ(t.total, kMax - 100);
    EXPECT_EQ(t.wager, kMax - 25);
    EXPECT_EQ(t.games, kMax - 1);
    EXPECT_EQ(t.bank, kMax);

    // A free spin whose win would overflow the series total: the total books, the series total does not.
    MachineState f;
    f.freespinmode = -1;
    f.spinwin = 50;
    f.total = 10;
    f.freespinwin = kMax - 20;
    const Booking free = bookFreeSpin(f);
    EXPECT_TRUE(free.total);
    EXPECT_FALSE(free.freespinwin);
    voidOutcome(f, free);
    EXPECT_EQ(f.total, 10);
    EXPECT_EQ(f.freespinwin, kMax - 20);
}

TEST(Checked, AdditionsThatLeaveTheRangeAreSkipped) {
    int32_t a = kMax - 1;
    EXPECT_TRUE(addChecked(a, 1));
    EXPECT_EQ(a, kMax);
    EXPECT_FALSE(addChecked(a, 1));
    EXPECT_EQ(a, kMax);
    int32_t b = kMin + 1;
    EXPECT_TRUE(addChecked(b, -1));
    EXPECT_FALSE(addChecked(b, -1));
    EXPECT_EQ(b, kMin);
    int16_t c = 32760;
    EXPECT_FALSE(addChecked(c, 8));
    EXPECT_EQ(c, 32760);
    EXPECT_TRUE(addChecked(c, 7));
    EXPECT_EQ(c, 32767);
    int16_t d = -32768;
    EXPECT_FALSE(addChecked(d, -1));
    EXPECT_TRUE(addChecked(d, 65535));
    EXPECT_EQ(d, 32767);
    EXPECT_TRUE(fits<int16_t>(-32768));
    EXPECT_FALSE(fits<int16_t>(32768));
    EXPECT_FALSE(fits<int32_t>(static_cast<long long>(kMax) + 1));
}

}  // namespace
}  // namespace zem::testing
