#include <benchmark/benchmark.h>

#include <QApplication>

#include "core/quorstat_app.h"
#include "plan/sub_plan_info_dialog.h"
#include "plan_grid.h"
#include "plan_list_reply.h"
#include "ui/grid_ctrl.h"

namespace {

QApplication& Application() {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

// The UI thread's whole share of showing a 10 000-plan reply: the model reset, the columns fitted
// and the first paint. Target: under 50 ms. The second case keeps a sort the user chose.
void BM_FillGrid10000(benchmark::State& state) {
    Application();
    CGridCtrl grid;
    grid.resize(1000, 600);
    grid.show();
    if (state.range(0) != 0)
        grid.sortByColumn(12, Qt::DescendingOrder);
    const quorstat::GridContent prepared = PlanGrid(10000);
    for (auto _ : state) {
        state.PauseTiming();
        quorstat::GridContent content = prepared;
        grid.SetContent({});
        QApplication::processEvents();
        state.ResumeTiming();
        grid.SetContent(std::move(content));
        QApplication::processEvents();  // lays out and paints, as the program's event loop does
    }
}
BENCHMARK(BM_FillGrid10000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The own-plan list's whole turn on the UI thread for a 10 000-plan reply: reading it, the rows
// shown and painted, and the plan text of every plan composed and shown. Target: under 50 ms.
void BM_OwnPlanReply10000(benchmark::State& state) {
    Application();
    CQuorstatApp& app = CQuorstatApp::instance();
    app.templates.items = {quorstat::TemplateList::SystemTemplate()};
    app.settings.tabIndexMyPlan = static_cast<int>(state.range(0));
    CSubPlanInfoDialog list(app);
    list.resize(1000, 600);
    list.show();
    const std::string reply = planListReply(10000);
    for (auto _ : state) {
        state.PauseTiming();
        list.OnPlanListReply("1|0|0|X|#", -1);
        QApplication::processEvents();
        state.ResumeTiming();
        list.OnPlanListReply(reply, -1);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_OwnPlanReply10000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
