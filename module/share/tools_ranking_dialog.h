#pragma once

#include <QDialog>
#include <QPointer>
#include <ctime>
#include <functional>
#include <vector>

#include "console/ranking_view.h"
#include "share/rankings.h"

class CGridCtrl;
class CQuorstatApp;
class CToolsPromptDialog;
class QLabel;
class QMenu;

// The TOP100 window of one ranking kind: three or four panels of a title above a grid, kept for
// the rest of the day in a cache file; double click picks a user, the menu follows users and
// copies their names.
class CToolsRankingDialog : public QDialog, public quorstat::RankingView {
    Q_OBJECT
public:
    static constexpr int kRefreshWaitMs = 700;
    static const QString kUpdatingText;

    // `follow` follows one user everywhere (request and marks).
    using Follow = std::function<void(const quorstat::tagUSERINFO& user)>;
    CToolsRankingDialog(CQuorstatApp& app, int kind, Follow follow, QWidget* parent = nullptr);
    ~CToolsRankingDialog() override;

    bool OnRankingReply(int type, const std::string& reply) override;
    quorstat::tagUSERINFO ChosenUser() const override { return chosen_; }

    // "刷新": asks again an hour after the data shown, else says the data is the newest.
    void Refresh();

    const quorstat::RankingPanels& panels() const { return panels_; }
    CGridCtrl* grid(std::size_t panel) const { return grids_.at(panel); }
    std::size_t panelCount() const { return grids_.size(); }
    QMenu* contextMenu() const { return menu_; }
    // Whether the window waits for the service, disabled under its prompt.
    bool waiting() const;

private:
    void buildControls();
    void placeWindow();
    void start();
    void request();
    void closePrompt();
    void fillGrids();
    void pick(std::size_t panel, std::size_t record);
    void showMenu(std::size_t panel, const QPoint& at);
    std::vector<std::string> selectedNames(std::size_t panel) const;
    void followSelected(std::size_t panel);
    void copySelectedNames(std::size_t panel);
    void showRules();

    CQuorstatApp& app_;
    quorstat::RankingKindInfo kind_;
    Follow follow_;
    quorstat::RankingPanels panels_;
    std::time_t dataTime_ = 0;
    quorstat::tagUSERINFO chosen_;
    std::vector<CGridCtrl*> grids_;
    QMenu* menu_ = nullptr;
    QPointer<CToolsPromptDialog> prompt_;
};
