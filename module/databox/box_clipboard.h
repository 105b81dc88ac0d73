#pragma once

#include <array>

#include "databox/box_kind.h"
#include "databox/box_tree.h"

namespace quorstat {

// The copy buffers of the module, one per box kind. A buffer filled by copy is pasted as often as
// the user likes; one filled by cut is emptied by its first paste.
class BoxClipboard {
public:
    void copy(BoxKind kind, const tagPLANBIGPDATA& root, const Rows& rows);
    void cut(BoxKind kind, tagPLANBIGPDATA& root, const Rows& rows);
    // As copy and cut, and a new group of the root holds copies of the rows. False, and nothing
    // changes, when that group would make the tree too deep.
    bool copyToNewGroup(BoxKind kind, tagPLANBIGPDATA& root, const Rows& rows);
    bool cutToNewGroup(BoxKind kind, tagPLANBIGPDATA& root, const Rows& rows);
    // Appends copies of the buffer to the root; false, and nothing changes, when too deep.
    bool paste(BoxKind kind, tagPLANBIGPDATA& root);

    bool empty(BoxKind kind) const { return buffer(kind).nodes.empty(); }

private:
    struct Buffer {
        BoxNodes nodes;
        bool filledByCut = false;
    };
    Buffer& buffer(BoxKind kind) { return buffers_[static_cast<std::size_t>(kind)]; }
    const Buffer& buffer(BoxKind kind) const { return buffers_[static_cast<std::size_t>(kind)]; }
    void fill(BoxKind kind, BoxNodes nodes, bool byCut);

    std::array<Buffer, 2> buffers_;
};

}  // namespace quorstat
