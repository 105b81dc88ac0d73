#pragma once

class QDialog;
class QDialogButtonBox;
class QPushButton;
class QString;
class QWidget;

// "确定" and "取消" wired to the dialog's accept and reject.
QDialogButtonBox* makeOkCancelButtons(QDialog* dialog);

// A button with an object name, by which tests and style sheets find it.
QPushButton* makeNamedButton(const QString& text, const QString& name, QWidget* parent);
