#include "databox/box_evaluation.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <thread>

#include "core/number_list_parser.h"

namespace quorstat {

namespace {

using Word = NumberSet::Word;

// Allowed values of a count, as closed ranges.
struct Range {
    unsigned low;
    unsigned high;
};

// A count per number, held as bit planes: plane i holds bit i of every number's count, so adding
// a set costs a few word operations per 64 numbers, whatever the group's size.
class SlicedCounter {
public:
    SlicedCounter(std::size_t words, unsigned capacity)
        : words_(words),
          planes_(static_cast<std::size_t>(std::bit_width(capacity))),
          bits_(words * planes_, 0) {}

    // Adds one to the count of every number in the set, or, inverted, of every number not in it.
    void add(const NumberSet& set, bool inverted) {
        const std::span<const Word> words = set.words();
        const Word tail = set.tailMask();
        for (std::size_t w = 0; w < words_; ++w) {
            Word carry = inverted ? ~words[w] : words[w];
            if (w + 1 == words_)
                carry &= tail;
            Word* plane = bits_.data() + w * planes_;
            for (std::size_t i = 0; carry != 0 && i < planes_; ++i) {
                const Word next = plane[i] & carry;
                plane[i] ^= carry;
                carry = next;
            }
        }
    }

    // The numbers whose count lies in one of the ranges (each within 0..capacity).
    NumberSet within(const std::vector<Range>& ranges, std::size_t space) const {
        NumberSet result(space);
        const std::span<Word> out = result.words();
        for (std::size_t w = 0; w < words_; ++w) {
            const Word* plane = bits_.data() + w * planes_;
            Word hit = 0;
            for (const Range& range : ranges)
                hit |= atLeast(plane, range.low) & ~greaterThan(plane, range.high);
            out[w] = hit;
        }
        if (!out.empty())
            out.back() &= result.tailMask();
        return result;
    }

private:
    // Compares every lane's count with `value` from the top bit down.
    void compare(const Word* plane, unsigned value, Word& greater, Word& equal) const {
        greater = 0;
        equal = ~Word{0};
        for (std::size_t i = planes_; i-- > 0;) {
            if ((value >> i & 1) != 0) {
                equal &= plane[i];
            } else {
                greater |= equal & plane[i];
                equal &= ~plane[i];
            }
        }
    }
    Word atLeast(const Word* plane, unsigned value) const {
        Word greater = 0;
        Word equal = 0;
        compare(plane, value, greater, equal);
        return greater | equal;
    }
    Word greaterThan(const Word* plane, unsigned value) const {
        Word greater = 0;
        Word equal = 0;
        compare(plane, value, greater, equal);
        return greater;
    }

    std::size_t words_;
    std::size_t planes_;
    std::vector<Word> bits_;
};

// The values a group's count of members may take: n without tolerance, n - t for every allowed
// miss count t with it. Mandatory members are in every count that is not excluded, so the ranges
// are shifted down by their number and cut to what the other members can reach.
std::vector<Range> allowedCounts(const tagPLANBIGPDATA& group, unsigned members,
                                 unsigned mandatory) {
    std::vector<int> misses{0};
    if (group.toleranceOn != 0 && !ParseNumberList(group.toleranceText, misses))
        misses.clear();
    std::vector<Range> ranges;
    for (auto it = misses.rbegin(); it != misses.rend(); ++it) {
        const auto miss = static_cast<unsigned>(*it);
        if (miss > members - mandatory)
            continue;
        const unsigned count = members - mandatory - miss;
        if (!ranges.empty() && ranges.back().high + 1 == count)
            ranges.back().high = count;
        else
            ranges.push_back({count, count});
    }
    return ranges;
}

// Collects the items a computation reads: enabled items that take part, inside enabled groups.
void collectReadItems(const tagPLANBIGPDATA& group, std::vector<const tagPLANBIGPDATA*>& items) {
    for (const auto& child : group.children) {
        if (child->enabled != 1)
            continue;
        if (child->group())
            collectReadItems(*child, items);
        else if (TakesPart(*child))
            items.push_back(child.get());
    }
}

class Evaluator {
public:
    Evaluator(const PlayState& play, const WorkProgress& progress, std::size_t total)
        : play_(play),
          space_(static_cast<std::size_t>(numberSpace(play.starCount))),
          progress_(progress),
          total_(total) {}

    bool stopped() const { return progress_.stopped(); }
    void setDone(std::size_t done) { done_ = done; }

    // The numbers the group passes, or nothing when it took no part (or the work was stopped).
    std::optional<NumberSet> passes(const tagPLANBIGPDATA& group) {
        std::vector<NumberSet> childPasses;
        childPasses.reserve(group.children.size());
        struct Member {
            const NumberSet* set;
            int positive;
        };
        std::vector<Member> members;
        NumberSet excluded(space_);
        unsigned count = 0;
        unsigned mandatory = 0;
        for (const auto& child : group.children) {
            if (child->enabled != 1)
                continue;
            if (child->group()) {
                std::optional<NumberSet> passed = passes(*child);
                if (stopped())
                    return std::nullopt;
                if (!passed)
                    continue;
                childPasses.push_back(std::move(*passed));
                members.push_back({nullptr, child->positive});
            } else if (TakesPart(*child)) {
                const NumberSet& present = child->presence(play_);
                if (child->tolerant == 0) {
                    excludeNonMembers(excluded, present, child->positive);
                    ++mandatory;
                } else {
                    members.push_back({&present, child->positive});
                }
            } else {
                continue;
            }
            ++count;
        }
        if (count == 0)
            return std::nullopt;

        SlicedCounter counter(excluded.words().size(), count - mandatory);
        std::size_t nextGroup = 0;
        for (const Member& member : members) {
            const NumberSet& set = member.set ? *member.set : childPasses[nextGroup++];
            // Other values of `positive` make no number a member.
            if (member.positive == 1 || member.positive == 0)
                counter.add(set, member.positive == 0);
        }
        NumberSet passed = counter.within(allowedCounts(group, count, mandatory), space_);
        excluded.invert();
        passed &= excluded;
        progress_.step(++done_, total_);
        return passed;
    }

private:
    // A mandatory item excludes every number that is not its member.
    void excludeNonMembers(NumberSet& excluded, const NumberSet& present, int positive) const {
        if (positive == 1) {
            NumberSet absent = present;
            absent.invert();
            excluded |= absent;
        } else if (positive == 0) {
            excluded |= present;
        } else {
            excluded = NumberSet::full(space_);
        }
    }

    const PlayState& play_;
    std::size_t space_;
    const WorkProgress& progress_;
    std::size_t total_;
    std::size_t done_ = 0;
};

std::size_t countGroups(const tagPLANBIGPDATA& group) {
    std::size_t groups = 1;
    for (const auto& child : group.children) {
        if (child->enabled == 1 && child->group())
            groups += countGroups(*child);
    }
    return groups;
}

// Reading a few megabytes of numbers is worth another thread; less is done before it would start.
constexpr std::size_t kBytesWorthAThread = 1 << 20;

std::size_t helperThreads(const std::vector<const tagPLANBIGPDATA*>& items, const PlayState& play) {
    std::size_t unread = 0;
    for (const tagPLANBIGPDATA* item : items) {
        if (!item->presenceRead(play))
            unread += item->numbers().size();
    }
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::min({cores - 1, items.size() / 2, unread / kBytesWorthAThread});
}

// Reads every item's numbers, spread over the cores; the calling thread reports the progress.
bool readItems(const std::vector<const tagPLANBIGPDATA*>& items, const PlayState& play,
               const WorkProgress& progress, std::size_t total) {
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    const auto work = [&](bool reporting) {
        for (std::size_t i = next++; i < items.size() && !progress.stopped(); i = next++) {
            items[i]->presence(play);
            const std::size_t finished = ++done;
            if (reporting)
                progress.step(finished, total);
        }
    };
    const std::size_t helpers = helperThreads(items, play);
    {
        std::vector<std::jthread> threads;
        for (std::size_t i = 0; i < helpers; ++i)
            threads.emplace_back(work, false);
        work(true);
    }
    return !progress.stopped();
}

bool nonDecreasingDigits(std::size_t value) {
    std::size_t last = 9;
    for (; value != 0; value /= 10) {
        if (value % 10 > last)
            return false;
        last = value % 10;
    }
    return true;
}

}  // namespace

bool TakesPart(const tagPLANBIGPDATA& item) {
    return !item.numbers().empty() && item.positionShown != "-";
}

bool EvaluateNode(const tagPLANBIGPDATA& node, std::vector<std::int32_t>& counters,
                  const PlayState& play) {
    const std::size_t space = counters.size();
    if (!node.group()) {
        if (!TakesPart(node))
            return false;
        const NumberSet& present = node.presence(play);
        for (std::size_t v = 0; v < space; ++v) {
            if (counters[v] == -1)
                continue;
            const bool member = present.contains(v) ? node.positive == 1 : node.positive == 0;
            if (member)
                ++counters[v];
            else if (node.tolerant == 0)
                counters[v] = -1;
        }
        return true;
    }
    const WorkProgress quiet;
    Evaluator evaluator(play, quiet, 0);
    const std::optional<NumberSet> passed = evaluator.passes(node);
    if (!passed)
        return false;
    for (std::size_t v = 0; v < space; ++v) {
        if (counters[v] == -1)
            continue;
        if ((node.positive == 1 && passed->contains(v)) ||
            (node.positive == 0 && !passed->contains(v)))
            ++counters[v];
    }
    return true;
}

std::optional<NumberSet> EvaluateBox(const tagPLANBIGPDATA& root, const PlayState& play,
                                     const WorkProgress& progress) {
    const auto space = static_cast<std::size_t>(numberSpace(play.starCount));
    if (!readsBetNumbers(play))
        return NumberSet(space);
    std::vector<const tagPLANBIGPDATA*> items;
    collectReadItems(root, items);
    const std::size_t total = items.size() + countGroups(root);
    if (!readItems(items, play, progress, total))
        return std::nullopt;

    Evaluator evaluator(play, progress, total);
    evaluator.setDone(items.size());
    std::optional<NumberSet> passed = evaluator.passes(root);
    if (evaluator.stopped())
        return std::nullopt;
    if (!passed || (root.positive != 0 && root.positive != 1))
        return NumberSet(space);
    if (root.positive == 0)
        passed->invert();
    return passed;
}

std::optional<BoxResult> ComputeBox(const tagPLANBIGPDATA& root, const PlayState& play,
                                    const WorkProgress& progress) {
    std::optional<NumberSet> passed = EvaluateBox(root, play, progress);
    if (!passed)
        return std::nullopt;
    if (play.orderedPlay == 0) {
        NumberSet ordered(passed->space());
        for (std::size_t v = 0; v < passed->space(); ++v) {
            if (nonDecreasingDigits(v))
                ordered.insert(v);
        }
        *passed &= ordered;
    }
    return BoxResult{passed->text(play.starCount), static_cast<int>(passed->count())};
}

}  // namespace quorstat
