// SPDX-License-Identifier: GPL-3.0-or-later
// The gamble's handlers: opening on the gamble button, the colour and suit bets with the card reveal and the
// history row, the right and the wrong guess, and taking the win.
#include "gamble.h"

#include "core/checked.h"
#include "core/money.h"
#include "core/random.h"
#include "ui/picture_lists.h"

#include <string>

namespace zem::gamble {

namespace {

constexpr int kRevealFrameMs = 50;
constexpr int kLostPauseMs = 3000;
constexpr int kTwipsPerPixel = 15;

constexpr int kBackPicture = static_cast<int>(ui::CardPicture::Back);  // the whole back, the reveal's first
constexpr int kLastPeel = static_cast<int>(ui::CardPicture::LastPeel);  // the back nearly peeled away

platform::PictureRef card(int entry) { return ui::cardPicture(entry); }
platform::PictureRef icon(int suit) { return ui::suitIcon(suit); }

// A label showing `prefix` and `factor` x `amount`; a value that would leave the 32-bit range leaves the old
// text standing.
void showTimes(platform::Control& label, const char* prefix, int64_t factor, int32_t amount) {
    const int64_t value = factor * amount;
    if (core::fits<int32_t>(value)) label.caption = prefix + std::to_string(value);
}

}  // namespace

void Gamble::setBetsEnabled(bool on) {
    auto& g = m_.w.gamble;
    for (platform::Control* c : {&g.betred, &g.betblack, &g.cancelbet}) c->enabled = on;
    for (int k = 1; k <= 4; ++k) g.suitbet[k].enabled = on;
}

Bet suitBet(int k) {
    switch (k) {
        case 1:
            return Bet::Hearts;
        case 2:
            return Bet::Clubs;
        case 3:
            return Bet::Diamonds;
        default:
            return Bet::Spades;
    }
}

bool wins(Bet bet, int card) {
    switch (bet) {
        case Bet::Red:
            return card == 1 || card == 3;
        case Bet::Black:
            return card == 2 || card == 4;
        case Bet::Hearts:
            return card == 1;
        case Bet::Clubs:
            return card == 2;
        case Bet::Diamonds:
            return card == 3;
        case Bet::Spades:
            return card == 4;
    }
    return false;
}

char betLetter(Bet bet) {
    static constexpr char kLetters[] = {'R', 'B', 'H', 'C', 'D', 'S'};
    return kLetters[static_cast<int>(bet)];
}

int payFactor(Bet bet) { return bet == Bet::Red || bet == Bet::Black ? 2 : 4; }

play::Sound winSound(Bet bet) {
    switch (bet) {
        case Bet::Red:
            return play::Sound::WinRed;
        case Bet::Black:
            return play::Sound::WinBlack;
        case Bet::Hearts:
            return play::Sound::Collect;
        case Bet::Clubs:
        case Bet::Diamonds:
            return play::Sound::WinClubsOrDiamonds;
        case Bet::Spades:
            return play::Sound::WinSpades;
    }
    return play::Sound::None;
}

Gamble::Gamble(play::Machine& machine) : m_(machine) {
    auto& g = m_.w.gamble;
    m_.openers.gamble = [this] { open(); };
    g.betred.onClick = [this] { bet(Bet::Red); };
    g.betblack.onClick = [this] { bet(Bet::Black); };
    for (int k = 1; k <= 4; ++k) g.suitbet[k].onClick = [this, k] { bet(suitBet(k)); };
    g.cancelbet.onClick = [this] { chickenOut(); };
    m_.heldCoins = [this] { return held(); };
    m_.closeMustWait = [this] { return busy_; };
    m_.beforeShutdown = [this] { takeBeforeShutdown(); };
}

Gamble::~Gamble() {
    auto& g = m_.w.gamble;
    m_.openers.gamble = {};
    for (platform::Control* c : {&g.betred, &g.betblack, &g.cancelbet}) c->onClick = {};
    for (int k = 1; k <= 4; ++k) g.suitbet[k].onClick = {};
    m_.heldCoins = {};
    m_.closeMustWait = {};
    m_.beforeShutdown = {};
}

play::HeldCoins Gamble::held() const {
    // Until a card is lost the player holds the amount at the latest decided card; taking it corrects the
    // won statistic from the amount put at risk to the amount taken.
    if (phase_ == Phase::Open || phase_ == Phase::Revealing) return {decided_, decided_ - stake_};
    return {};
}

void Gamble::takeBeforeShutdown() {
    if (phase_ != Phase::Open && phase_ != Phase::Revealing) return;
    const play::HeldCoins take = held();
    core::addChecked(m_.s.bank, take.bank);
    core::addChecked(m_.s.total, take.total);
    atrisk = decided_;
    phase_ = Phase::Closed;
    m_.w.pandouble.visible = false;
}

void Gamble::showAmounts() {
    auto& g = m_.w.gamble;
    g.risklab.caption = "At Risk  " + std::to_string(atrisk);
    showTimes(g.lblblackred, "Black/Red Win = ", 2, atrisk);
    showTimes(g.lblsuit, "Suit Win = ", 4, atrisk);
}

void Gamble::open() {
    auto& w = m_.w;
    auto& g = w.gamble;
    // Once per win, outside a spin, and only with something to risk.
    auto canOpen = [&] {
        return phase_ == Phase::Closed && !m_.spinning() && !m_.closed() && w.doublebutton.enabled &&
               w.orvelle.enabled && m_.winToGamble() > 0;
    };
    if (busy_ || !canOpen()) return;
    busy_ = true;
    w.doublebutton.visible = false;
    m_.p.doEvents();
    // A spin, or a window opened over the machine, while the events ran takes the win's place.
    if (!canOpen()) {
        busy_ = false;
        m_.closeIfPending();
        return;
    }

    m_.sounds.play(play::Sound::Click);
    g.piccardholder.picture = card(kBackPicture);
    g.piccardholder.overlay = {};
    for (int k = 1; k <= 4; ++k) g.suitbet[k].picture = icon(k);
    // The meter and the win show stop; the win leaves the machine for the table.
    atrisk = m_.gambleTakesWin();
    w.doublebutton.enabled = false;
    w.coinsin.enabled = false;
    setBetsEnabled(true);
    w.pandouble.visible = true;
    g.gamblewin.visible = false;
    g.gamblelose.visible = false;
    for (int i = 1; i <= 5; ++i) w.payline[i].enabled = false;
    for (int i = 1; i <= 6; ++i) {
        w.play[i].enabled = false;
        w.pplay[i].enabled = true;
    }

    stake_ = decided_ = atrisk;
    phase_ = Phase::Open;
    m_.history.gambleOpened(stake_);

    w.LABWIN.caption = std::to_string(atrisk);
    w.lblwin.caption = core::dollarText(atrisk);
    showAmounts();
    g.lblblackred.visible = true;
    g.lblsuit.visible = true;
    // The win was credited by the spin; it leaves the credit while it is at risk. The record keeps it.
    core::addChecked(m_.s.bank, -int64_t{atrisk});
    m_.showCredit();
    m_.saveRecord();

    m_.setKeyboardPlay(false);
    m_.p.doEvents();
    busy_ = false;
    m_.closeIfPending();
}

void Gamble::updateHistory() {
    auto& g = m_.w.gamble;
    if (gamblecount > 10) gamblecount = 6;
    if (gamblecount <= 5) {
        g.historypic[gamblecount].picture = icon(drawncard);
        g.historypic[gamblecount].visible = true;
        return;
    }
    // From the sixth card on the slots turn round: the newest stands at the right, the oldest at the left.
    const int s = gamblecount - 5;
    for (int j = 1; j <= 5; ++j) {
        platform::Control& slot = g.historypic[((s + j - 1) % 5) + 1];
        slot.left = ui::historyLeft(j);
        slot.top = ui::kHistoryTop;
    }
    g.historypic[s].picture = icon(drawncard);
}

void Gamble::reveal() {
    auto& holder = m_.w.gamble.piccardholder;
    holder.picture = card(drawncard);
    for (int f = kBackPicture; f <= kLastPeel; ++f) {
        holder.overlay = card(f);
        m_.p.doEvents();
        m_.p.sleep(kRevealFrameMs);
    }
    holder.overlay = {};
    m_.p.doEvents();
}

void Gamble::fall(platform::Control& banner) {
    // The banner drops through the panel a pixel at a time without pausing, and comes to rest at the bottom.
    banner.left = ui::kBannerLeft;
    banner.visible = true;
    for (int top = ui::kBannerStartTop; top < ui::kBannerEndTop; top += kTwipsPerPixel) {
        banner.top = top;
        m_.p.paint();
    }
    banner.top = ui::kBannerEndTop;
}

void Gamble::bet(Bet bet) {
    // A press that arrives while a card is revealed, or while a lost gamble closes, is ignored.
    if (phase_ != Phase::Open || busy_) return;
    auto& g = m_.w.gamble;
    busy_ = true;
    phase_ = Phase::Revealing;
    m_.sounds.play(play::Sound::Click);
    m_.sounds.play(play::Sound::Click);
    g.gamblewin.visible = false;
    ++gamblecount;
    g.risklab.caption = "At Risk  " + std::to_string(atrisk);
    drawncard = core::drawOneTo(4, m_.p.random().uniform());
    updateHistory();
    // The panel's buttons take no bet while the card is shown, and look it.
    setBetsEnabled(false);

    // The card is decided before it is shown, and the record saved with its outcome, so that neither a won
    // card nor a lost one can be undone by the end of the program during the reveal. A multiplication that
    // would leave the range of the credit is skipped.
    const bool right = wins(bet, drawncard);
    decided_ = atrisk;
    if (right) {
        const int64_t more = int64_t{atrisk} * payFactor(bet);
        if (core::fits<int32_t>(more) && core::fits<int32_t>(int64_t{m_.s.bank} + more)) {
            decided_ = static_cast<int32_t>(more);
        }
    } else {
        phase_ = Phase::Lost;
    }
    m_.history.gambleCard(betLetter(bet), drawncard, right, decided_);
    m_.saveRecord();

    reveal();
    if (m_.closed()) {
        busy_ = false;
        return;
    }
    if (right) {
        rightGuess(bet);
    } else {
        wrongGuess();
    }
    busy_ = false;
    m_.closeIfPending();
}

void Gamble::rightGuess(Bet bet) {
    m_.sounds.play(winSound(bet));
    atrisk = decided_;
    showAmounts();
    fall(m_.w.gamble.gamblewin);
    phase_ = Phase::Open;
    setBetsEnabled(true);
}

void Gamble::wrongGuess() {
    auto& w = m_.w;
    auto& g = w.gamble;
    w.doublebutton.enabled = false;
    m_.sounds.play(play::Sound::Buzz);
    fall(g.gamblelose);
    g.lblblackred.visible = false;
    g.lblsuit.visible = false;
    g.risklab.caption = "No Win  ";
    setBetsEnabled(false);
    m_.p.doEvents();
    m_.p.sleep(kLostPauseMs);
    w.pandouble.visible = false;
    phase_ = Phase::Closed;
    m_.showCredit();
    w.LABWIN.caption = "No Win";
    w.lblwin.caption = " ";
    releaseControls();
}

void Gamble::chickenOut() {
    if (phase_ != Phase::Open || busy_) return;
    auto& w = m_.w;
    w.pandouble.visible = false;
    w.doublebutton.enabled = false;
    core::addChecked(m_.s.bank, atrisk);
    // The won statistic counted the amount put at risk; it now counts the amount taken.
    core::addChecked(m_.s.total, int64_t{atrisk} - stake_);
    m_.history.gambleTaken(atrisk);
    phase_ = Phase::Closed;
    m_.sounds.play(play::Sound::WinSpades);
    m_.showCredit();
    w.LABWIN.caption = std::to_string(atrisk);
    w.lblwin.caption = core::dollarText(atrisk);
    releaseControls();
    m_.saveRecord();
}

void Gamble::releaseControls() {
    auto& w = m_.w;
    for (int i = 1; i <= 5; ++i) w.payline[i].enabled = true;
    for (int i = 1; i <= 6; ++i) {
        w.play[i].enabled = true;
        w.pplay[i].enabled = true;
    }
    w.coinsin.enabled = true;
    m_.p.setFocus(w.orvelle);
    m_.setKeyboardPlay(true);
}

}  // namespace zem::gamble
