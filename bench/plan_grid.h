#pragma once

#include <cstdio>
#include <string>

#include "ui/grid_content.h"

// The own-plan list's fifteen columns filled with `rows` plausible plans.
inline quorstat::GridContent PlanGrid(std::size_t rows) {
    using quorstat::GridCompare;
    quorstat::GridContent grid;
    for (const char* name : {"序号", "期号", "玩法", "类型", "位置", "期数", "倍数", "注数", "奖号",
                             "状态", "投注额", "奖金", "利润", "详情", "操作"})
        grid.columns.push_back({name});
    grid.columns[0].compare = GridCompare::Number;
    grid.columns[12].compare = GridCompare::Number;
    grid.columns[13].link = true;
    grid.columns[14].link = true;
    const char* const states[] = {"等(%d)", "中(%d)", "挂(%d)", "停(%d)"};
    const quorstat::Rgb colours[] = {0x0000FF, 0xFF0000, 0x969696, 0x646464};
    grid.rows.reserve(rows);
    for (std::size_t i = 0; i < rows; ++i) {
        const int kind = static_cast<int>(i % 4);
        char issues[32];
        std::snprintf(issues, sizeof issues, "%03d - %03d", int(i % 120), int(i % 120 + 5));
        char state[32];
        std::snprintf(state, sizeof state, states[kind], int(i % 5 + 1));
        quorstat::GridRow row;
        row.cells = {std::to_string(rows - i),
                     issues,
                     i % 3 ? "三星" : "五星",
                     i % 2 ? "直选复式" : "组选六",
                     i % 3 ? "万千百" : "",
                     "5",
                     "1,2,4,8,16",
                     std::to_string(100 + i % 900),
                     kind == 0 ? "*****" : "3 5 7 0 1",
                     state,
                     "200.00",
                     kind == 1 ? "1,950.00" : "0.00",
                     kind == 1 ? "1750.00" : "-200.00",
                     "查看",
                     kind == 0 ? "停止" : ""};
        row.cellColours.resize(15);
        row.cellColours[9].text = colours[kind];
        if (kind != 1)
            row.cellColours[12].text = 0xFF0000;
        grid.rows.push_back(std::move(row));
    }
    return grid;
}
