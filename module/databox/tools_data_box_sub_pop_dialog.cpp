#include "databox/tools_data_box_sub_pop_dialog.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "databox/tools_data_box_sub_dialog.h"
#include "ui/dialog_buttons.h"
#include "ui/dialog_look.h"

namespace {

constexpr QSize kSize(567, 400);
constexpr int kOffset = 20;

}  // namespace

CToolsDataBoxSubPopDialog::CToolsDataBoxSubPopDialog(CQuorstatApp& app, quorstat::BoxKind kind,
                                                     quorstat::BoxClipboard& clipboard,
                                                     const quorstat::tagPLANBIGPDATA& group,
                                                     bool newGroup, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(newGroup ? QStringLiteral("新建组") : QStringLiteral("编辑组"));
    applyDialogLook(this);
    box_ = new CToolsDataBoxSubDialog(app, kind, clipboard,
                                      CToolsDataBoxSubDialog::Mode::groupEditor, this);
    box_->setTree(group);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box_, 1);
    layout->addWidget(makeOkCancelButtons(this));
    resize(kSize);
    if (parent)
        move(parent->window()->geometry().topLeft() + QPoint(kOffset, kOffset));
}

quorstat::tagPLANBIGPDATA CToolsDataBoxSubPopDialog::group() const {
    return box_->box().root();
}

void CToolsDataBoxSubPopDialog::accept() {
    if (box_->takeRootSettings())
        QDialog::accept();
}
