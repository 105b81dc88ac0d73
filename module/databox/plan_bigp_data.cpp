#include "databox/plan_bigp_data.h"

#include <algorithm>
#include <utility>

#include "databox/number_set.h"
#include "plan/play_state.h"

namespace quorstat {

// The set read from the numbers, with the play rules it was read under.
struct tagPLANBIGPDATA::Presence {
    int starCount = 0;
    int orderedPlay = 0;
    NumberSet set;
};

namespace {

// A play that reads no numbers still gets an empty set of its size, so sets always combine.
NumberSet presenceSet(const BetCounters& tally, const PlayState& play) {
    const auto space = static_cast<std::size_t>(numberSpace(play.starCount));
    return tally.size() == space ? NumberSet::fromCounters(tally) : NumberSet(space);
}

}  // namespace

BoxChildren::BoxChildren(const BoxChildren& other) : Nodes() {
    reserve(other.size());
    for (const auto& child : other)
        push_back(std::make_unique<tagPLANBIGPDATA>(*child));
}

BoxChildren& BoxChildren::operator=(const BoxChildren& other) {
    if (this != &other)
        *this = BoxChildren(other);
    return *this;
}

BoxChildren& BoxChildren::operator=(BoxChildren&& other) noexcept {
    if (this != &other) {
        release();
        Nodes::operator=(std::move(other));
    }
    return *this;
}

BoxChildren::~BoxChildren() {
    release();
}

// Takes the subtrees apart level by level, so a deep tree cannot exhaust the stack.
void BoxChildren::release() noexcept {
    Nodes pending = std::move(static_cast<Nodes&>(*this));
    clear();
    while (!pending.empty()) {
        std::unique_ptr<tagPLANBIGPDATA> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->children)
            pending.push_back(std::move(child));
        node->children.clear();
    }
}

bool operator==(const BoxChildren& a, const BoxChildren& b) {
    return std::ranges::equal(a, b, [](const auto& x, const auto& y) { return *x == *y; });
}

void tagPLANBIGPDATA::setNumbers(std::string text) {
    numbers_ = std::move(text);
    presence_.read.reset();
}

void tagPLANBIGPDATA::setNumbers(std::string text, const PlayState& play,
                                 const BetCounters& tally) {
    numbers_ = std::move(text);
    presence_.read = std::make_shared<const Presence>(
        Presence{play.starCount, play.orderedPlay, presenceSet(tally, play)});
}

void tagPLANBIGPDATA::copyNumbers(const tagPLANBIGPDATA& other) {
    numbers_ = other.numbers_;
    presence_ = other.presence_;
}

bool tagPLANBIGPDATA::presenceRead(const PlayState& play) const {
    const Presence* read = presence_.read.get();
    return read && read->starCount == play.starCount && read->orderedPlay == play.orderedPlay;
}

const NumberSet& tagPLANBIGPDATA::presence(const PlayState& play) const {
    if (!presenceRead(play)) {
        BetCounters counters;
        tallyBetNumbers(numbers_, counters, play);
        presence_.read = std::make_shared<const Presence>(
            Presence{play.starCount, play.orderedPlay, presenceSet(counters, play)});
    }
    return presence_.read->set;
}

std::unique_ptr<tagPLANBIGPDATA> NewGroupNode(std::string_view name) {
    auto node = std::make_unique<tagPLANBIGPDATA>();
    node->isGroup = 1;
    node->name = std::string(name);
    return node;
}

std::unique_ptr<tagPLANBIGPDATA> NewItemNode() {
    return std::make_unique<tagPLANBIGPDATA>();
}

}  // namespace quorstat
