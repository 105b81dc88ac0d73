#pragma once

#include <QDialog>

#include "databox/box_kind.h"
#include "databox/plan_bigp_data.h"

class CQuorstatApp;
class CToolsDataBoxSubDialog;

namespace quorstat {
class BoxClipboard;
}

// The group editor: a box of the same kind on a copy of one group. "确定" takes the group's
// tolerance and name from the controls; the caller puts the copy back.
class CToolsDataBoxSubPopDialog : public QDialog {
    Q_OBJECT
public:
    CToolsDataBoxSubPopDialog(CQuorstatApp& app, quorstat::BoxKind kind,
                              quorstat::BoxClipboard& clipboard,
                              const quorstat::tagPLANBIGPDATA& group, bool newGroup,
                              QWidget* parent);

    CToolsDataBoxSubDialog* box() const { return box_; }
    // The edited copy.
    quorstat::tagPLANBIGPDATA group() const;

    void accept() override;

private:
    CToolsDataBoxSubDialog* box_ = nullptr;
};
