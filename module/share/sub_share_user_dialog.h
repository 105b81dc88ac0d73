#pragma once

#include <QWidget>
#include <cstddef>
#include <vector>

#include "net/user_record.h"
#include "share/search_user_config_file.h"
#include "share/user_list_page.h"

class CGridCtrl;
class CQuorstatApp;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

// The user list of the sharing page: one page of users in a detailed or a compact grid, ordered
// and filtered by the service as the search settings say, paged, refreshed while it is visible.
class CSubShareUserDialog : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowRefreshMs = 100;
    enum class Refresh { Full, Incremental };

    explicit CSubShareUserDialog(CQuorstatApp& app, QWidget* parent = nullptr);

    const quorstat::tagSEARCHUSERCONFIG& settings() const { return settings_; }
    // An accepted search: its settings are stored and page 1 is asked for.
    void ApplySearch(const quorstat::tagSEARCHUSERCONFIG& settings);
    void RefreshList(Refresh kind);
    // Page 1, fully reloaded: after a new search or a new page size.
    void RestartFromFirstPage();

    void OnListReply(const std::string& reply);
    // Marks the user on this page and redraws; nothing else changes.
    void SetFollowed(std::string_view userName, bool followed);
    // A new login or the end of a session.
    void Reset();
    // Lottery or play changed: the page empties and the stamp is forgotten.
    void OnSelectionChanged();
    // Whether "查看" has a panel to show plans in.
    void setPlansAvailable(bool available) { plansAvailable_ = available; }

    const quorstat::UserListPage& page() const { return page_; }
    CGridCtrl* detailGrid() const { return detailGrid_; }
    CGridCtrl* compactGrid() const { return compactGrid_; }
    QMenu* contextMenu() const { return menu_; }
    QTimer* refreshTimer() const { return refreshTimer_; }

signals:
    void followRequested(const quorstat::tagUSERINFO& user, bool follow);
    void userPlansRequested(const quorstat::tagUSERINFO& user);
    // Users who share their plans, for the big-base box (0) or the plan box (1).
    void dataBoxTransferRequested(const std::vector<quorstat::tagUSERINFO>& users, int box,
                                  bool newGroup);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QPushButton* addButton(const QString& text, const QString& name);
    void fillGrids();
    void showChosenGrid();
    void showSortIndicator();
    void saveSettings();
    void turnPage(bool changed);
    void onHeaderClicked(int column);
    void onDetailToggled(bool on);
    void onOrderOptionToggled();
    const quorstat::tagUSERINFO* userNamed(const QString& name) const;
    void showDetailMenu(const QPoint& at);
    void showCompactMenu(const QPoint& at);
    void addViewItem(const quorstat::tagUSERINFO& user);
    void addFollowItem(const quorstat::tagUSERINFO& user);
    void addDataBoxMenu();
    void addStabilityMenu();
    void chooseStabilityPeriod(int factorCycle);
    void copySelectedNames();
    void transferToDataBox(int box, bool newGroup);
    void popUp(const QPoint& at, CGridCtrl* grid);

    CQuorstatApp& app_;
    quorstat::SearchUserConfigFile settingsFile_;
    quorstat::tagSEARCHUSERCONFIG settings_;
    quorstat::UserListPage page_;
    bool dataBoxEnabled_ = false;
    bool plansAvailable_ = false;

    QLabel* status_ = nullptr;
    QCheckBox* detail_ = nullptr;
    QCheckBox* attentionFront_ = nullptr;
    QCheckBox* topOwn_ = nullptr;
    CGridCtrl* detailGrid_ = nullptr;
    CGridCtrl* compactGrid_ = nullptr;
    QLineEdit* pageEdit_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QMenu* menu_ = nullptr;
    QTimer* refreshTimer_ = nullptr;
};
