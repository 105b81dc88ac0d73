#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "plan/bet_numbers.h"

namespace quorstat {

class NumberSet;
struct PlayState;
struct tagPLANBIGPDATA;

inline constexpr std::string_view kNewGroupName = "新建组";

// The members of a group: copies are deep, comparisons compare the subtrees, and freeing takes a
// deep tree apart without recursion.
class BoxChildren : public std::vector<std::unique_ptr<tagPLANBIGPDATA>> {
public:
    using Nodes = std::vector<std::unique_ptr<tagPLANBIGPDATA>>;

    BoxChildren() = default;
    // Implicit, so a list of nodes can become a group's members.
    BoxChildren(Nodes&& nodes) noexcept : Nodes(std::move(nodes)) {}
    BoxChildren(const BoxChildren& other);
    BoxChildren& operator=(const BoxChildren& other);
    BoxChildren(BoxChildren&& other) noexcept = default;
    BoxChildren& operator=(BoxChildren&& other) noexcept;
    ~BoxChildren();

    friend bool operator==(const BoxChildren& a, const BoxChildren& b);

private:
    void release() noexcept;
};

// One node of a data box tree: a group, or an item (a user, a plan or staged numbers). A group owns
// its children, in display order. Trees stay within kMaxTreeDepth levels (box_tree.h), so the
// recursive walks over them are bounded.
struct tagPLANBIGPDATA {
    std::int32_t isGroup = 0;  // 1 group; any other value is an item
    std::int32_t enabled = 1;
    std::int32_t positive = 1;  // 0: the numbers count complemented (取反)
    std::int32_t tolerant = 1;  // 0: mandatory, a miss excludes the number
    std::int32_t toleranceOn = 0;
    std::string toleranceText;
    std::string name;
    std::int32_t userId = 0;
    std::int32_t planId = 0;
    std::int32_t issue = 0;
    std::int32_t betCount = 0;
    std::int32_t verifyState = 0;  // 1 hit, 2 miss, anything else not verified
    std::int32_t sharing = 1;
    std::string positions;  // position names
    std::string positionShown = "-";
    std::string positionFilter;  // root only
    BoxChildren children;

    bool group() const { return isGroup == 1; }

    // The numbers in canonical form; setting them drops the set read from the old ones.
    const std::string& numbers() const { return numbers_; }
    void setNumbers(std::string text);
    // Numbers just read by NormalizeBetNumbers under the play: the tally is kept as their set, so
    // a computation does not read them again.
    void setNumbers(std::string text, const PlayState& play, const BetCounters& tally);
    // The numbers of another node, sharing the set read from them.
    void copyNumbers(const tagPLANBIGPDATA& other);

    // The numbers as a set for the play, read on first use and kept until they change. Not safe
    // to call for one node from two threads at once.
    const NumberSet& presence(const PlayState& play) const;
    bool presenceRead(const PlayState& play) const;

    // Compares the stored fields and the subtrees.
    friend bool operator==(const tagPLANBIGPDATA& a, const tagPLANBIGPDATA& b) = default;

private:
    struct Presence;
    // What the numbers were read into is no part of the node's value: copies share it and
    // comparisons pass over it.
    struct PresenceCache {
        std::shared_ptr<const Presence> read;
        friend bool operator==(const PresenceCache&, const PresenceCache&) { return true; }
    };

    std::string numbers_;
    mutable PresenceCache presence_;
};

// A group with the default fields and the given name.
std::unique_ptr<tagPLANBIGPDATA> NewGroupNode(std::string_view name = kNewGroupName);
std::unique_ptr<tagPLANBIGPDATA> NewItemNode();

}  // namespace quorstat
