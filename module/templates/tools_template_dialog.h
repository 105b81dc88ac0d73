#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "templates/template_form.h"
#include "templates/template_rows.h"

class CTemplateFormWidget;
class QMenu;
class QPushButton;
class QTableWidget;

// "模板设置": edits a copy of the template list and the choice of the template in use; the caller
// takes editedList() when it was accepted.
class CToolsTemplateDialog : public QDialog {
    Q_OBJECT
public:
    CToolsTemplateDialog(std::vector<quorstat::tagTEMPLATEITEM> templates,
                         std::string_view nameInUse, QWidget* parent = nullptr);

    quorstat::TemplateManagerResult editedList() const { return rows_.result(); }

    QTableWidget* list() const { return list_; }
    CTemplateFormWidget* form() const { return form_; }
    QMenu* rowMenu() const { return rowMenu_; }

    void accept() override;

private:
    void buildControls();
    void buildList();
    void refill(std::optional<int> selectRow);
    void onSelectionChanged();
    void onItemChanged(int row, int column);
    void showRowMenu(const QPoint& at);

    void addTemplate();
    void modifyTemplate();
    void removeSelected();
    void moveSelected(std::optional<int> (quorstat::TemplateRows::*step)(int));

    bool offerUnsavedEdit();
    std::optional<quorstat::tagTEMPLATEITEM> readForm(quorstat::TemplateFormUse use);
    bool modifyRow(int row, const quorstat::tagTEMPLATEITEM& edited);
    std::vector<int> selectedRows() const;
    std::optional<int> singleSelectedRow() const;

    quorstat::TemplateRows rows_;
    QTableWidget* list_ = nullptr;
    CTemplateFormWidget* form_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* modify_ = nullptr;
    QPushButton* remove_ = nullptr;
    QMenu* rowMenu_ = nullptr;
};
