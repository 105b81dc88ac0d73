#pragma once

#include <QLineEdit>
#include <QStringList>
#include <filesystem>

#include "core/search_history.h"

class QCompleter;
class QStringListModel;

// A text field that remembers what was entered in it under a key and offers it again in a
// drop-down: entries that begin with the typed text, or all of them while the field is empty
// (Down opens the list). It starts with its newest entry.
class HistoryEdit : public QLineEdit {
    Q_OBJECT
public:
    // `directory` holds the history files ("Data/SearchLog").
    HistoryEdit(const std::filesystem::path& directory, const QString& key,
                QWidget* parent = nullptr);

    // Keeps the field's text, when there is one, as the newest entry.
    void remember();
    QStringList entries() const;
    // What the drop-down offers for the text now in the field.
    QStringList offers() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void offer();

    quorstat::SearchHistory history_;
    QCompleter* completer_ = nullptr;
    QStringListModel* offered_ = nullptr;
};
