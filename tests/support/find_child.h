#pragma once

#include <QObject>
#include <QString>

// A named child a test cannot go on without: a missing one ends the test with its name.
template <typename T>
T* child(const QObject* parent, const QString& name) {
    auto* found = parent->findChild<T*>(name);
    if (!found)
        qFatal("no child %s", qPrintable(name));
    return found;
}

template <typename T>
T* child(const QObject* parent, const char* name) {
    return child<T>(parent, QString::fromLatin1(name));
}
