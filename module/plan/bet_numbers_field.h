#pragma once

#include <QString>
#include <QTextCursor>
#include <QThreadPool>
#include <QWidget>
#include <string>

#include "plan/plan_paste.h"
#include "plan/play_state.h"

class BetNumbersEdit;
class QCheckBox;
class QPushButton;

namespace quorstat {
struct Settings;
}

// The numbers field of the number plays with its buttons and paste options. Pasted text is
// normalised on a thread of its own and long texts go into the field in slices, so a paste of
// any size leaves the window responsive; progress() reports how far it is.
class BetNumbersField : public QWidget {
    Q_OBJECT
public:
    BetNumbersField(const quorstat::Settings& settings, QWidget* parent = nullptr);
    // Waits for a paste still being normalised.
    ~BetNumbersField() override;

    // Labels the options and shows "组三" and "豹子" for the three-star plays.
    void setPlay(const quorstat::PlayState& play);
    // Replaces the field's text; a paste or a filling under way is dropped.
    void showNumbers(const std::string& numbers);
    // The text of the field, as the plan keeps it.
    std::string numbers() const;
    bool isEmpty() const;

    quorstat::PasteOptions pasteOptions() const;
    void setPasteOptions(const quorstat::PasteOptions& options);

    // The paste procedure for text taken from the clipboard or dropped on the field.
    void paste(const QString& text);
    // Drops a paste or a filling under way; the text stays as far as it got.
    void stop();
    bool busy() const { return busy_; }
    BetNumbersEdit* edit() const { return edit_; }

signals:
    // The numbers changed; not sent for each slice while a long text goes in.
    void numbersChanged();
    // A paste or a long filling started (true) or ended (false).
    void busyChanged(bool busy);
    // Percent of a long filling done; -1 while a paste is being normalised.
    void progress(int percent);

private:
    QPushButton* addButton(const QString& caption, const QString& name);
    void copyNumbers();
    void clearNumbers();
    void putInFront(const std::string& front);
    void pasted(int job, const std::string& numbers);
    int numbersPerLine() const;
    // Puts the text at the cursor, in slices when it is long.
    void fill(QTextCursor cursor, QString text);
    void fillSlice(int job);
    void endFilling();
    void setBusy(bool busy);
    void textEdited();
    void updateButtons();

    const quorstat::Settings& settings_;
    quorstat::PlayState play_;
    BetNumbersEdit* edit_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* groupThree_ = nullptr;
    QPushButton* equalDigits_ = nullptr;
    QCheckBox* inverted_ = nullptr;
    QCheckBox* addEqualDigits_ = nullptr;
    QCheckBox* addRuns_ = nullptr;

    QThreadPool normaliser_;
    // Every paste and every replacement of the text has its number; late results of an older
    // one are dropped.
    int job_ = 0;
    bool busy_ = false;
    bool filling_ = false;
    QTextCursor fillCursor_;
    QString fillText_;
    qsizetype filled_ = 0;
};
