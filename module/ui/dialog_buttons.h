#pragma once

class QDialog;
class QDialogButtonBox;

// "确定" and "取消" wired to the dialog's accept and reject.
QDialogButtonBox* makeOkCancelButtons(QDialog* dialog);
