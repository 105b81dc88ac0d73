#pragma once

class CQuorstatApp;
class CSubPlanDialog;
class CSubShareDialog;
class CSubSharePlanDialog;

// Creates the data box window, attaches it to the console and connects the pages that send
// users and plans into it and the plan form that takes its result.
void CreateDataBoxWindow(CQuorstatApp& app, CSubPlanDialog& planPage, CSubShareDialog& sharePage,
                         CSubSharePlanDialog& sharePlans);
