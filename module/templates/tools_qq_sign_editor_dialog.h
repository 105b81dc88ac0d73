#pragma once

#include <QDialog>

class QLineEdit;

// One extra line (附加信息) of the send settings, new or changed.
class CToolsQQSignEditorDialog : public QDialog {
    Q_OBJECT
public:
    // An empty `text` makes a new line.
    explicit CToolsQQSignEditorDialog(const QString& text, bool isNew, QWidget* parent = nullptr);

    QString text() const;

    void accept() override;

private:
    QLineEdit* edit_;
};
