#pragma once

#include <QImage>
#include <QString>

// The login dialog's background and badge. The first picture a program reads makes Qt look
// through its image plugins, so the two are read on a worker while the module starts.
struct LoginPictures {
    QImage background;
    QImage badge;

    // Missing or unreadable files give null pictures; the dialog then paints without them.
    static LoginPictures load(const QString& imageDir);
};
