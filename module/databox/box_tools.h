#pragma once

#include <QPoint>

#include "databox/box_tree.h"

class CQuorstatApp;
class QWidget;

namespace quorstat {
class DataBox;
}

// The data box's tools that open dialogs of their own: automatic grouping, batch tolerance and the
// user's box files. Each returns true when the box's tree changed; the caller then redraws the list
// and writes the temporary file. `at` is where a small menu opens (the big-base box's file menus).

bool RunAutoGrouping(CQuorstatApp& app, quorstat::DataBox& box, const quorstat::Rows& rows,
                     QWidget* parent);
bool RunBatchTolerance(CQuorstatApp& app, quorstat::DataBox& box, const quorstat::Rows& rows,
                       QWidget* parent);
// "打开": the plan box opens a box file; the big-base box asks for a box file or a ".prj" first.
bool OpenBoxFile(CQuorstatApp& app, quorstat::DataBox& box, QWidget* parent, QPoint at);
// "保存": the caller has taken the root's tolerance and name from its controls.
void SaveBoxFileAs(CQuorstatApp& app, quorstat::DataBox& box, QWidget* parent, QPoint at);
