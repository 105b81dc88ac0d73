#include "databox/box_tools.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>
#include <optional>
#include <random>

#include "core/quorstat_app.h"
#include "databox/box_file.h"
#include "databox/data_box.h"
#include "databox/grouping.h"
#include "databox/prj_file.h"
#include "databox/tools_batch_error_dialog.h"
#include "databox/tools_grouping_dialog.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"

namespace {

// The two kinds of file a box reads and writes, as the file dialogs offer them.
struct FileKind {
    QString filter;
    QString proposedName;  // after the date
    QString suffix;
};

const FileKind kPlanBoxFile{QStringLiteral("方案盒数据(*.dat)"), QStringLiteral("方案盒数据"),
                            QStringLiteral("dat")};
const FileKind kBigBaseBoxFile{QStringLiteral("大底盒数据(*.dat)"), QStringLiteral("大底盒数据"),
                               QStringLiteral("dat")};
const FileKind kPrjFile{QStringLiteral("大底文件(*.prj)"), QStringLiteral("大底文件"),
                        QStringLiteral("prj")};

std::filesystem::path toPath(const QString& name) {
    return std::filesystem::path(name.toStdU16String());
}

// File dialogs start where the last box file was opened or saved in this session, else in the
// user's documents.
QString& lastFolder() {
    static QString folder;
    return folder;
}

QString startFolder() {
    if (!lastFolder().isEmpty())
        return lastFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

void rememberFolder(const QString& file) {
    lastFolder() = QFileInfo(file).absolutePath();
}

QString chooseFileToOpen(QWidget* parent, const FileKind& kind) {
    const QString file = Prompter::instance().openFileName(parent, QStringLiteral("打开"),
                                                           startFolder(), kind.filter);
    if (!file.isEmpty())
        rememberFolder(file);
    return file;
}

QString chooseFileToSave(QWidget* parent, const FileKind& kind) {
    const QString proposed = QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) +
                             kind.proposedName + QLatin1Char('.') + kind.suffix;
    const QString file = Prompter::instance().saveFileName(parent, QStringLiteral("保存"),
                                                           QDir(startFolder()).filePath(proposed),
                                                           kind.filter, kind.suffix);
    if (!file.isEmpty())
        rememberFolder(file);
    return file;
}

enum class BigBaseFile { box, prj };

// The big-base box's small menu; nothing when no item was chosen.
std::optional<BigBaseFile> chooseFromMenu(QWidget* parent, QPoint at, const QString& boxItem,
                                          const QString& prjItem) {
    QMenu menu(parent);
    const QAction* box = menu.addAction(boxItem);
    const QAction* prj = menu.addAction(prjItem);
    const QAction* chosen = Prompter::instance().popupMenu(menu, at);
    if (chosen == box)
        return BigBaseFile::box;
    if (chosen == prj)
        return BigBaseFile::prj;
    return std::nullopt;
}

void showMessage(QWidget* parent, std::string_view text) {
    if (!text.empty())
        Prompter::instance().message(parent, toQString(text));
}

// Another kind, lottery or play, or a damaged file, leaves the box as it is.
bool openBoxFile(quorstat::DataBox& box, QWidget* parent, const FileKind& kind) {
    const QString file = chooseFileToOpen(parent, kind);
    if (file.isEmpty())
        return false;
    std::unique_ptr<quorstat::tagPLANBIGPDATA> root =
        quorstat::LoadBoxFile(toPath(file), box.scope());
    if (!root)
        return false;
    box.replaceRoot(std::move(root));
    return true;
}

bool openPrjFile(quorstat::DataBox& box, QWidget* parent) {
    const QString file = chooseFileToOpen(parent, kPrjFile);
    if (file.isEmpty())
        return false;
    quorstat::PrjLoad loaded = quorstat::LoadPrjFile(toPath(file), box.play().starCount, true);
    showMessage(parent, loaded.message);
    if (!loaded.root)
        return false;
    box.replaceRoot(std::move(loaded.root));
    return true;
}

void saveBoxFile(const quorstat::DataBox& box, QWidget* parent, const FileKind& kind) {
    const QString file = chooseFileToSave(parent, kind);
    if (!file.isEmpty() && !quorstat::SaveBoxFile(toPath(file), box.scope(), box.root()))
        showMessage(parent, quorstat::kBoxFileWriteFailed);
}

void savePrjFile(const quorstat::DataBox& box, QWidget* parent) {
    const QString file = chooseFileToSave(parent, kPrjFile);
    if (!file.isEmpty())
        showMessage(parent, quorstat::SavePrjFile(toPath(file), box.root(), box.play()));
}

}  // namespace

bool RunAutoGrouping(CQuorstatApp& app, quorstat::DataBox& box, const quorstat::Rows& rows,
                     QWidget* parent) {
    const quorstat::Rows grouped = quorstat::ValidRows(box.root(), rows);
    if (!quorstat::RowsFitInNewGroup(box.root(), grouped)) {
        showMessage(parent, quorstat::kTooDeepMessage);
        return false;
    }
    CToolsGroupingDialog dialog(app.paths.historyDir, app.settings, grouped.size(), parent);
    if (Prompter::instance().exec(dialog) != QDialog::Accepted)
        return false;
    app.SaveSettings();
    std::mt19937 random(std::random_device{}());
    const quorstat::Partition partition =
        quorstat::PartitionRows(grouped.size(), dialog.options(), random);
    return quorstat::ApplyGrouping(box.root(), grouped, partition, dialog.options());
}

bool RunBatchTolerance(CQuorstatApp& app, quorstat::DataBox& box, const quorstat::Rows& rows,
                       QWidget* parent) {
    CToolsBatchErrorDialog dialog(app.paths.historyDir, parent);
    if (Prompter::instance().exec(dialog) != QDialog::Accepted)
        return false;
    quorstat::ApplyBatchTolerance(box.root(), rows, dialog.toleranceOn(), dialog.toleranceText());
    return true;
}

bool OpenBoxFile(CQuorstatApp&, quorstat::DataBox& box, QWidget* parent, QPoint at) {
    if (box.kind() == quorstat::BoxKind::plan)
        return openBoxFile(box, parent, kPlanBoxFile);
    const std::optional<BigBaseFile> choice =
        chooseFromMenu(parent, at, QStringLiteral("打开dat文件（投注系统文件）"),
                       QStringLiteral("打开prj文件（Norvane专业版文件）"));
    if (!choice)
        return false;
    return *choice == BigBaseFile::box ? openBoxFile(box, parent, kBigBaseBoxFile)
                                       : openPrjFile(box, parent);
}

void SaveBoxFileAs(CQuorstatApp&, quorstat::DataBox& box, QWidget* parent, QPoint at) {
    if (box.kind() == quorstat::BoxKind::plan) {
        saveBoxFile(box, parent, kPlanBoxFile);
        return;
    }
    const std::optional<BigBaseFile> choice =
        chooseFromMenu(parent, at, QStringLiteral("保存为dat文件（投注系统文件）"),
                       QStringLiteral("保存为prj文件（Norvane专业版文件）"));
    if (!choice)
        return;
    if (*choice == BigBaseFile::box)
        saveBoxFile(box, parent, kBigBaseBoxFile);
    else
        savePrjFile(box, parent);
}
