#pragma once

class QWidget;

// The look our own dialogs share with the main window: its background and text colours, framed
// groups, light buttons and fields.
void applyDialogLook(QWidget* dialog);
