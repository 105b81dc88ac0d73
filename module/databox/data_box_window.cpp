#include "databox/data_box_window.h"

#include "console/console_dialog.h"
#include "core/quorstat_app.h"
#include "databox/tools_data_box_dialog.h"
#include "plan/sub_plan_dialog.h"
#include "plan/sub_plan_info_dialog.h"
#include "plan/sub_plan_stat_dialog.h"
#include "share/sub_share_dialog.h"
#include "share/sub_share_plan_dialog.h"

namespace {

constexpr int kOwnPlanTab = 0;

std::vector<quorstat::BoxUser> boxUsers(const std::vector<quorstat::tagUSERINFO>& users) {
    std::vector<quorstat::BoxUser> boxed;
    boxed.reserve(users.size());
    for (const quorstat::tagUSERINFO& user : users)
        boxed.push_back({user.userName, user.userInfoId, 0, user.shares});
    return boxed;
}

}  // namespace

void CreateDataBoxWindow(CQuorstatApp& app, CSubPlanDialog& planPage, CSubShareDialog& sharePage,
                         CSubSharePlanDialog& sharePlans) {
    auto* window = new CToolsDataBoxDialog(app);
    app.console->attachDataBox(window, window);
    const auto toBigBase = [window](const std::vector<quorstat::BoxUser>& plans) {
        window->ReceiveUsers(plans, quorstat::BoxKind::bigBase, false);
    };
    QObject::connect(planPage.planList(), &CSubPlanInfoDialog::bigBaseTransferRequested, window,
                     toBigBase);
    QObject::connect(&sharePlans, &CSubSharePlanDialog::bigBaseTransferRequested, window,
                     toBigBase);
    QObject::connect(
        &sharePage, &CSubShareDialog::dataBoxTransferRequested, window,
        [window](const std::vector<quorstat::tagUSERINFO>& users, int box, bool newGroup) {
            window->ReceiveUsers(boxUsers(users), static_cast<quorstat::BoxKind>(box), newGroup);
        });
    QObject::connect(window, &CToolsDataBoxDialog::submitted, &planPage,
                     [&app, &planPage](const QString& numbers) {
                         planPage.planForm()->SetBetNumbers(numbers.toStdString());
                         if (app.settings.dataBoxToMyPlanAfterSubmit)
                             app.console->SelectTab(kOwnPlanTab);
                     });
}
