#include "ui/dialog_look.h"

#include <QWidget>

#include "core/quorstat_app.h"

namespace {

const QString kStyleSheet = QStringLiteral(
    "QLabel, QCheckBox, QRadioButton { color: #1d2b5c; }"
    "QCheckBox:disabled, QRadioButton:disabled { color: #a99f88; }"
    "QGroupBox { color: #1d2b5c; border: 1px solid #d8ccb0; border-radius: 4px;"
    "  margin-top: 8px; padding-top: 6px; background: #fffdf8; }"
    "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; }"
    "QLineEdit { border: 1px solid #c2b28f; border-radius: 3px; padding: 2px 4px;"
    "  background: white; color: #1d2b5c; }"
    "QLineEdit:disabled { background: #f3eee2; color: #a99f88; }"
    "QComboBox { color: #1d2b5c; border: 1px solid #c2b28f; border-radius: 3px;"
    "  padding: 1px 6px; background: white; }"
    "QComboBox:disabled { background: #f3eee2; color: #a99f88; }"
    "QPushButton { color: #1d2b5c; border: 1px solid #c2b28f; border-radius: 4px;"
    "  padding: 3px 16px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
    "  stop:0 #fffdf8, stop:1 #efe6d2); }"
    "QPushButton:hover { background: #fffaf0; border-color: #9c8a62; }"
    "QPushButton:disabled { color: #a99f88; }"
    "QTableWidget { border: 1px solid #c2b28f; gridline-color: #e6dcc6; background: white;"
    "  selection-background-color: #34508d; alternate-background-color: #faf5ea; }"
    "QTableWidget QHeaderView::section { color: #1d2b5c; background: #e9dfc8; border: none;"
    "  border-right: 1px solid #d8ccb0; padding: 3px; }");

}  // namespace

void applyDialogLook(QWidget* dialog) {
    const CQuorstatApp& app = CQuorstatApp::instance();
    QPalette colours = dialog->palette();
    colours.setColor(QPalette::Window, app.dialogBackground);
    colours.setColor(QPalette::WindowText, app.textColor);
    dialog->setPalette(colours);
    dialog->setStyleSheet(kStyleSheet);
}
