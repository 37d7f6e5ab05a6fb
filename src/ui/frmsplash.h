// The splash window of the start-up: the picture Splash.BMP, Splash.GIF or Splash.JPG from the program's
// folder, in that order of preference, in a window without caption exactly as large as the picture,
// centred across the screen and a third of the way down. Without a picture, or with one that cannot be
// read, the window stays hidden and start-up goes on.
#pragma once

#include <QString>
#include <QWidget>

class QLabel;

namespace vorelian {

// The splash picture in `folder`: the first of Splash.BMP, .GIF and .JPG that exists as a file (the
// letter case of the name does not matter); empty when there is none.
QString FindSplashPicture(const QString& folder);

class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    // Form_Load: looks for the picture and, when one can be shown, shows the window and paints it at once.
    void Load(const QString& programFolder);

    QString PictureFile() const { return picture_; }

private:
    QLabel* Image1;
    QString picture_;
};

} // namespace vorelian
