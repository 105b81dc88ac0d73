#include "console/login_pictures.h"

LoginPictures LoginPictures::load(const QString& imageDir) {
    return {QImage(imageDir + QStringLiteral("/image_login.png")),
            QImage(imageDir + QStringLiteral("/image_free.png"))};
}
