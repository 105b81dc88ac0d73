#include "databox/plan_bigp_data.h"

#include <tuple>
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

std::vector<std::unique_ptr<tagPLANBIGPDATA>> copyChildren(
    const std::vector<std::unique_ptr<tagPLANBIGPDATA>>& children) {
    std::vector<std::unique_ptr<tagPLANBIGPDATA>> copies;
    copies.reserve(children.size());
    for (const auto& child : children)
        copies.push_back(std::make_unique<tagPLANBIGPDATA>(*child));
    return copies;
}

// Takes the subtrees apart level by level, so a deep tree cannot exhaust the stack.
void freeIteratively(std::vector<std::unique_ptr<tagPLANBIGPDATA>>& children) {
    std::vector<std::unique_ptr<tagPLANBIGPDATA>> pending = std::move(children);
    while (!pending.empty()) {
        std::unique_ptr<tagPLANBIGPDATA> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->children)
            pending.push_back(std::move(child));
        node->children.clear();
    }
}

// A play that reads no numbers still gets an empty set of its size, so sets always combine.
NumberSet presenceSet(const BetCounters& tally, const PlayState& play) {
    const auto space = static_cast<std::size_t>(numberSpace(play.starCount));
    return tally.size() == space ? NumberSet::fromCounters(tally) : NumberSet(space);
}

}  // namespace

tagPLANBIGPDATA::tagPLANBIGPDATA(const tagPLANBIGPDATA& other)
    : isGroup(other.isGroup),
      enabled(other.enabled),
      positive(other.positive),
      tolerant(other.tolerant),
      toleranceOn(other.toleranceOn),
      toleranceText(other.toleranceText),
      name(other.name),
      userId(other.userId),
      planId(other.planId),
      issue(other.issue),
      betCount(other.betCount),
      verifyState(other.verifyState),
      sharing(other.sharing),
      positions(other.positions),
      positionShown(other.positionShown),
      positionFilter(other.positionFilter),
      children(copyChildren(other.children)),
      numbers_(other.numbers_),
      presence_(other.presence_) {}

tagPLANBIGPDATA& tagPLANBIGPDATA::operator=(const tagPLANBIGPDATA& other) {
    if (this != &other)
        *this = tagPLANBIGPDATA(other);
    return *this;
}

tagPLANBIGPDATA::tagPLANBIGPDATA(tagPLANBIGPDATA&& other) noexcept = default;

tagPLANBIGPDATA& tagPLANBIGPDATA::operator=(tagPLANBIGPDATA&& other) noexcept {
    if (this == &other)
        return *this;
    freeIteratively(children);
    isGroup = other.isGroup;
    enabled = other.enabled;
    positive = other.positive;
    tolerant = other.tolerant;
    toleranceOn = other.toleranceOn;
    toleranceText = std::move(other.toleranceText);
    name = std::move(other.name);
    userId = other.userId;
    planId = other.planId;
    issue = other.issue;
    betCount = other.betCount;
    verifyState = other.verifyState;
    sharing = other.sharing;
    positions = std::move(other.positions);
    positionShown = std::move(other.positionShown);
    positionFilter = std::move(other.positionFilter);
    children = std::move(other.children);
    numbers_ = std::move(other.numbers_);
    presence_ = std::move(other.presence_);
    return *this;
}

tagPLANBIGPDATA::~tagPLANBIGPDATA() {
    freeIteratively(children);
}

void tagPLANBIGPDATA::setNumbers(std::string text) {
    numbers_ = std::move(text);
    presence_.reset();
}

void tagPLANBIGPDATA::setNumbers(std::string text, const PlayState& play,
                                 const BetCounters& tally) {
    numbers_ = std::move(text);
    presence_ = std::make_shared<const Presence>(
        Presence{play.starCount, play.orderedPlay, presenceSet(tally, play)});
}

void tagPLANBIGPDATA::copyNumbers(const tagPLANBIGPDATA& other) {
    numbers_ = other.numbers_;
    presence_ = other.presence_;
}

bool tagPLANBIGPDATA::presenceRead(const PlayState& play) const {
    return presence_ && presence_->starCount == play.starCount &&
           presence_->orderedPlay == play.orderedPlay;
}

const NumberSet& tagPLANBIGPDATA::presence(const PlayState& play) const {
    if (!presenceRead(play)) {
        BetCounters counters;
        tallyBetNumbers(numbers_, counters, play);
        presence_ = std::make_shared<const Presence>(
            Presence{play.starCount, play.orderedPlay, presenceSet(counters, play)});
    }
    return presence_->set;
}

bool operator==(const tagPLANBIGPDATA& a, const tagPLANBIGPDATA& b) {
    const auto fields = [](const tagPLANBIGPDATA& n) {
        return std::tie(n.isGroup, n.enabled, n.positive, n.tolerant, n.toleranceOn,
                        n.toleranceText, n.name, n.userId, n.planId, n.issue, n.betCount,
                        n.verifyState, n.sharing, n.positions, n.positionShown, n.positionFilter,
                        n.numbers_);
    };
    if (fields(a) != fields(b) || a.children.size() != b.children.size())
        return false;
    for (std::size_t i = 0; i < a.children.size(); ++i) {
        if (!(*a.children[i] == *b.children[i]))
            return false;
    }
    return true;
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
