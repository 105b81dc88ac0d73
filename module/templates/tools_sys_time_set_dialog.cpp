#include "templates/tools_sys_time_set_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/quorstat_app.h"
#include "net/settings_record.h"
#include "templates/send_settings_rules.h"
#include "ui/dialog_buttons.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"

CToolsSysTimeSetDialog::CToolsSysTimeSetDialog(CQuorstatApp& app, QWidget* parent)
    : QDialog(parent), app_(app) {
    setWindowTitle(QStringLiteral("系统时间间隔设置"));
    auto* grid = new QGridLayout;
    const auto& intervals = quorstat::IntervalChoices();
    for (std::size_t i = 0; i < intervals.size(); ++i) {
        const quorstat::IntervalChoice& choice = intervals[i];
        auto* box = new QComboBox(this);
        box->setObjectName(toQString(choice.key));
        box->setEditable(true);
        for (int value = choice.min; value <= choice.max; ++value)
            box->addItem(QString::number(value));
        box->setCurrentText(
            QString::number(quorstat::IntervalSetupValue(app.intervals, choice.key)));
        choices_[i] = box;
        const int row = static_cast<int>(i);
        grid->addWidget(new QLabel(toQString(choice.label), this), row, 0);
        grid->addWidget(box, row, 1);
        grid->addWidget(new QLabel(toQString(choice.unit) +
                                       QStringLiteral("（%1-%2）").arg(choice.min).arg(choice.max),
                                   this),
                        row, 2);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(makeOkCancelButtons(this));
}

void CToolsSysTimeSetDialog::accept() {
    std::array<std::string, 7> typed;
    for (std::size_t i = 0; i < typed.size(); ++i)
        typed[i] = choices_[i]->currentText().toStdString();
    const auto setUp = quorstat::IntervalSetUp(typed);
    if (!setUp) {
        Prompter::instance().message(this, toQString(quorstat::kBadIntervalsText));
        return;
    }
    app_.queue(app_.catalogue().intervalsWrite(*setUp));
    QDialog::accept();
}
