#include "ui/history_edit.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QStringListModel>

#include "ui/qt_text.h"

namespace {

QStringList toQStringList(const std::vector<std::string>& texts) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts)
        list.append(toQString(text));
    return list;
}

}  // namespace

HistoryEdit::HistoryEdit(const std::filesystem::path& directory, const QString& key,
                         QWidget* parent)
    : QLineEdit(parent), history_(directory, key.toStdString()) {
    setObjectName(key);
    history_.load();
    offered_ = new QStringListModel(this);
    completer_ = new QCompleter(offered_, this);
    completer_->setWidget(this);
    // The list is filtered here, by the history's own rule.
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    connect(completer_, qOverload<const QString&>(&QCompleter::activated), this,
            &QLineEdit::setText);
    connect(this, &QLineEdit::textEdited, this, &HistoryEdit::offer);
    if (!history_.entries().empty())
        setText(toQString(history_.entries().front()));
}

void HistoryEdit::remember() {
    history_.add(text().toStdString());
}

QStringList HistoryEdit::entries() const {
    return toQStringList(history_.entries());
}

QStringList HistoryEdit::offers() const {
    return toQStringList(history_.offers(text().toStdString()));
}

void HistoryEdit::offer() {
    const QStringList offers = this->offers();
    offered_->setStringList(offers);
    if (offers.isEmpty()) {
        completer_->popup()->hide();
        return;
    }
    completer_->complete();
}

void HistoryEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Down && !completer_->popup()->isVisible()) {
        offered_->setStringList(toQStringList(history_.entries()));
        if (!history_.entries().empty())
            completer_->complete();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
