#include "databox/box_clipboard.h"

#include <utility>

namespace quorstat {

void BoxClipboard::fill(BoxKind kind, BoxNodes nodes, bool byCut) {
    buffer(kind) = Buffer{std::move(nodes), byCut};
}

void BoxClipboard::copy(BoxKind kind, const tagPLANBIGPDATA& root, const Rows& rows) {
    fill(kind, CopyRows(root, rows), false);
}

void BoxClipboard::cut(BoxKind kind, tagPLANBIGPDATA& root, const Rows& rows) {
    fill(kind, TakeRows(root, rows), true);
}

bool BoxClipboard::copyToNewGroup(BoxKind kind, tagPLANBIGPDATA& root, const Rows& rows) {
    if (!RowsFitInNewGroup(root, rows))
        return false;
    BoxNodes copies = CopyRows(root, rows);
    AppendNewGroupOf(root, CopyNodes(copies));
    fill(kind, std::move(copies), false);
    return true;
}

bool BoxClipboard::cutToNewGroup(BoxKind kind, tagPLANBIGPDATA& root, const Rows& rows) {
    if (!RowsFitInNewGroup(root, rows))
        return false;
    BoxNodes taken = TakeRows(root, rows);
    AppendNewGroupOf(root, CopyNodes(taken));
    fill(kind, std::move(taken), true);
    return true;
}

bool BoxClipboard::paste(BoxKind kind, tagPLANBIGPDATA& root) {
    Buffer& source = buffer(kind);
    if (!AppendNodes(root, CopyNodes(source.nodes)))
        return false;
    if (source.filledByCut)
        source.nodes.clear();
    return true;
}

}  // namespace quorstat
