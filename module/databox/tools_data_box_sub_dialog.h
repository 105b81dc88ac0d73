#pragma once

#include <QPointer>
#include <QWidget>
#include <optional>
#include <string_view>

#include "databox/box_tree.h"
#include "databox/data_box.h"
#include "ui/tools_prompt_dialog.h"

class CBoxComputation;
class CBoxResultSide;
class CQuorstatApp;
class BoxMemberModel;
class HistoryEdit;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace quorstat {
class BoxClipboard;
enum class BoxMenuItem;
}  // namespace quorstat

// One box of the data box window, or the box inside the group editor: the member list, the root's
// tolerance, the buttons, the position filter, the verify issue and the result side. Every action
// and every reply goes to the box's DataBox, and the window carries out the step it answers.
class CToolsDataBoxSubDialog : public QWidget {
    Q_OBJECT
public:
    enum class Mode { main, groupEditor };

    CToolsDataBoxSubDialog(CQuorstatApp& app, quorstat::BoxKind kind,
                           quorstat::BoxClipboard& clipboard, Mode mode, QWidget* parent = nullptr);
    // A main box writes its tree to its temporary file.
    ~CToolsDataBoxSubDialog() override;

    quorstat::DataBox& box() { return box_; }
    Mode mode() const { return mode_; }
    // A copy of `root` becomes the box's tree (the group editor's group).
    void setTree(const quorstat::tagPLANBIGPDATA& root);
    // A main box: saves the tree of the old lottery and play, then loads the current one's.
    void switchLotteryPlay();
    void receiveUsers(const std::vector<quorstat::BoxUser>& users, bool newGroup);
    void onPlanContentReply(int type, const std::string& reply);
    void onKnownPlan(const quorstat::tagPLANITEM& plan);
    void onKnownPlanFailed();
    void onStatusReply(const std::string& reply);
    // New draws: "验证期号：" offers the latest drawn issue and the four before it.
    void refillVerifyIssues();

    // The root's tolerance and, in the group editor, its name from the controls; false, after the
    // message, when the tolerance is switched on without a text.
    bool takeRootSettings();
    // The same without touching the histories; the message is left to the caller (saving and
    // verifying take the settings even when they are not valid).
    std::optional<std::string_view> takeRootSettingsAsTheyAre();
    quorstat::Rows selectedRows() const;
    quorstat::Rows allRows() const;
    // The context menu over the list, at a global position.
    void showContextMenu(const QPoint& at);
    // `at` is where a tool's small menu opens.
    void runMenuItem(quorstat::BoxMenuItem item, const QPoint& at = {});

    QTableView* list() const { return list_; }
    CBoxResultSide* resultSide() const { return resultSide_; }
    QLabel* verifySummary() const { return verifySummary_; }
    QComboBox* verifyIssues() const { return verifyIssues_; }
    bool waiting() const { return waiting_ != nullptr; }

signals:
    // "提交" with the result's numbers.
    void submitRequested(const QString& numbers);

private:
    void buildControls();
    QWidget* buildListSide();
    void showRootSettings();
    void refillPositions();
    void redraw();
    // A list edit: redraw and write the temporary file.
    void edited();
    void carryOut(const quorstat::BoxStep& step);
    bool queue(const quorstat::BoxRequest& request);
    void showWaiting(const QString& text);
    void closeWaiting();
    void computeNow();
    void computed(const std::optional<quorstat::BoxResult>& result);

    void compute();
    void verify();
    void filterPositions();
    void view();
    void openGroupEditor(std::optional<std::size_t> row);
    void removeSelected();
    void clearList();
    void dissolveGroups();
    void copyRows(bool cut, bool toNewGroup);
    void paste();
    void stagingToItems();
    void refuseTooDeep(bool fitted);
    // After a dialog tool: redraw and write when the tree changed.
    void toolChanged(bool changed);

    CQuorstatApp& app_;
    quorstat::BoxClipboard& clipboard_;
    Mode mode_;
    quorstat::DataBox box_;
    BoxMemberModel* model_ = nullptr;
    QTableView* list_ = nullptr;
    QCheckBox* rootTolerance_ = nullptr;
    HistoryEdit* toleranceText_ = nullptr;
    HistoryEdit* groupName_ = nullptr;
    QComboBox* positions_ = nullptr;
    QComboBox* verifyIssues_ = nullptr;
    QCheckBox* clearBeforeInto_ = nullptr;
    QLabel* verifySummary_ = nullptr;
    CBoxResultSide* resultSide_ = nullptr;
    CBoxComputation* computation_ = nullptr;
    QPointer<CToolsPromptDialog> waiting_;
};
